#pragma once

#include <QString>

// The design file (*.TFCC): writer and hardened reader (QtCore/QtXml only).
namespace DesignFile {
} // namespace DesignFile
