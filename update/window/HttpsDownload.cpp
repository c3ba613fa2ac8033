#include "HttpsDownload.h"

HttpsDownload::HttpsDownload(QWidget *progressParent, QWidget *dialogParent)
    : QDialog(nullptr), m_prompts(progressParent, dialogParent), m_transfer(m_prompts)
{}
