#pragma once

#include <QString>

// The main window's words, each defined once. The quoted ones are fixed to the byte: stored
// habits and earlier versions show them so.
namespace plenwick::WindowTexts {

inline QString selectOutputFolderFirst() {
    return QStringLiteral("Select Destination (output) Folder First");
}

inline QString outputChooserTitle() {
    return QStringLiteral("Select Destination (output) Folder");
}
inline QString outputChooserPrompt() {
    return QStringLiteral("Select This Folder");
}
inline QString outputConfirmationTitle() {
    return QStringLiteral("File Saving Folder Confirmation");
}
// The folder's path is an argument, never part of the format.
inline QString outputConfirmation(const QString& path) {
    return QStringLiteral(
               "All DPI changed pictures will be copied and saved to this OUTPUT folder:\n\n%1\n\n"
               "Please double check the folder is which you selected, depending on the browsing "
               "mode you are using, sometimes you have to double clicking the folder and make it "
               "displaying in blue.\n")
        .arg(path);
}
inline QString ok() {
    return QStringLiteral("Ok");
}
inline QString cancel() {
    return QStringLiteral("Cancel");
}
inline QString gotIt() {
    return QStringLiteral("Got it");
}

inline QString sourceChooserTitle() {
    return QStringLiteral("Select Source Files Folder");
}
inline QString sourceChooserPrompt() {
    return QStringLiteral("Select this picture folder");
}
inline QString overwriteProtectionTitle() {
    return QStringLiteral("Overwrite protection Alert");
}
inline QString overwriteProtection() {
    return QStringLiteral("Input folder can not be the same of your Output folder.\n");
}

inline QString startupNoticeTitle() {
    return QStringLiteral("Startup Q&A");
}
inline QString startupNotice() {
    return QStringLiteral(
        "Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures "
        "look the same as before.\n\nA: You may not notice the change with your eyes, the app "
        "changes the picture's DPI only. You may click the 'Show Inspector' from your app "
        "'Preview' before and after convert to see the change of your picture's DPI.\n");
}

// How many pictures each list of the end-of-run alert names before it only counts the rest.
inline constexpr qsizetype FailuresListed = 10;
inline QString failuresTitle() {
    return QStringLiteral("Some pictures were not converted");
}
inline QString failures(qsizetype failed, qsizetype pictures, const QString& list) {
    return QStringLiteral("%1 of %2 pictures got no copy in the output folder:\n\n%3\n")
        .arg(failed)
        .arg(pictures)
        .arg(list);
}
// The pictures that got a copy with a note from the image tool, apart from those that got none.
inline QString notesTitle() {
    return QStringLiteral("Some pictures were converted with a note");
}
inline QString notes(qsizetype noted, qsizetype pictures, const QString& list) {
    return QStringLiteral("%1 of %2 pictures got their copy with a note:\n\n%3\n")
        .arg(noted)
        .arg(pictures)
        .arg(list);
}

// The desktop notification at the end of a run the user is not watching.
inline QString runEndedTitle() {
    return QStringLiteral("Plenwick finished");
}
// Those that need attention got no copy, or got it with a note.
inline QString runEnded(qsizetype converted, qsizetype needAttention) {
    QString text = converted == 1 ? QStringLiteral("1 picture converted")
                                  : QStringLiteral("%1 pictures converted").arg(converted);
    if (needAttention == 1)
        text += QStringLiteral(", 1 needs attention");
    else if (needAttention > 1)
        text += QStringLiteral(", %1 need attention").arg(needAttention);
    return text + u'.';
}

// A drop on the window that cannot start a run.
inline QString dropRefusedTitle() {
    return QStringLiteral("This cannot be converted");
}
inline QString dropBeforeOutputFolder() {
    return QStringLiteral(
        "Choose the output folder first, then drop the folder that holds your pictures.\n");
}
inline QString dropNotOneItem() {
    return QStringLiteral("Drop one folder at a time: the folder that holds your pictures.\n");
}
// The dropped item's name is an argument, never part of the format.
inline QString dropNotAFolder(const QString& name) {
    return QStringLiteral("\u201C%1\u201D is not a folder. Drop the folder that holds your "
                          "pictures.\n")
        .arg(name);
}
inline QString dropNotReadable(const QString& name) {
    return QStringLiteral("The folder \u201C%1\u201D cannot be read.\n").arg(name);
}

} // namespace plenwick::WindowTexts
