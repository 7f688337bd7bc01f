#pragma once

#include "filedescriptor.h"
#include "outputfolderpin.h"

#include <QByteArray>
#include <QString>
#include <variant>

namespace plenwick {

// The intermediate JPEG 2000 file of one picture, "<base>.jp2" in the output folder, with a
// companion "<base>.lock" locked for as long as this object lives. The lock, not the file's age,
// tells a live run's scratch file from one a killed run left behind; it sits on the companion
// because the image tool replaces the scratch file itself. Both are removed, from the folder where
// they were made, when this object goes.
class ScratchFile final {
public:
    // Claims a fresh hidden base name, "<base>.jp2" created empty so that no other file can take
    // it and no file of the user's is ever used. When the folder cannot be written: the system's
    // reason.
    [[nodiscard]] static std::variant<ScratchFile, QString> claim(const OutputFolderPin& folder);

    ~ScratchFile();
    ScratchFile(ScratchFile&& other) noexcept = default;
    ScratchFile& operator=(ScratchFile&&) = delete;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // The base name, without ".jp2".
    [[nodiscard]] const QByteArray& base() const { return name; }

private:
    ScratchFile(int folder, QByteArray name, FileDescriptor lock);

    int folder;
    QByteArray name;
    FileDescriptor lock;
};

// Removes the scratch files in the folder that no live run holds: those a killed run left.
void removeAbandonedScratchFiles(const OutputFolderPin& folder);

} // namespace plenwick
