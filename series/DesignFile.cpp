#include "DesignFile.h"
