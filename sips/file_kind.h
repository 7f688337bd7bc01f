#pragma once

#include <string>

namespace sips {

enum class FileKind { Jpeg, Png, Tiff, Jp2, J2kCodestream };

// Recognises a picture by its first bytes; the name says nothing (a ".jp2" may hold JPEG data).
FileKind detectFileKind(const std::string& path);

} // namespace sips
