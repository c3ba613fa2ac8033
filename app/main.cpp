#include "RunTickforge.h"

int main(int argc, char *argv[])
{
    return runTickforge(argc, argv);
}
