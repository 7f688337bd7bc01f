#pragma once

#include <QCoreApplication>
#include <QString>

// The main window's words, each defined once and translated; the English is the source text. The
// quoted ones are fixed to the byte in English: stored habits and earlier versions show them so.
namespace plenwick::WindowTexts {

inline QString selectOutputFolderFirst() {
    return QCoreApplication::translate("WindowTexts", "Select Destination (output) Folder First");
}

inline QString outputChooserTitle() {
    return QCoreApplication::translate("WindowTexts", "Select Destination (output) Folder");
}
inline QString outputChooserPrompt() {
    return QCoreApplication::translate("WindowTexts", "Select This Folder");
}
inline QString outputConfirmationTitle() {
    return QCoreApplication::translate("WindowTexts", "File Saving Folder Confirmation");
}
// The folder's path is an argument, never part of the format.
inline QString outputConfirmation(const QString& path) {
    return QCoreApplication::translate(
               "WindowTexts",
               "All DPI changed pictures will be copied and saved to this OUTPUT folder:\n\n%1\n\n"
               "Please double check the folder is which you selected, depending on the browsing "
               "mode you are using, sometimes you have to double clicking the folder and make it "
               "displaying in blue.\n")
        .arg(path);
}
inline QString ok() {
    return QCoreApplication::translate("WindowTexts", "Ok");
}
inline QString cancel() {
    return QCoreApplication::translate("WindowTexts", "Cancel");
}
inline QString gotIt() {
    return QCoreApplication::translate("WindowTexts", "Got it");
}

inline QString sourceChooserTitle() {
    return QCoreApplication::translate("WindowTexts", "Select Source Files Folder");
}
inline QString sourceChooserPrompt() {
    return QCoreApplication::translate("WindowTexts", "Select this picture folder");
}
inline QString overwriteProtectionTitle() {
    return QCoreApplication::translate("WindowTexts", "Overwrite protection Alert");
}
inline QString overwriteProtection() {
    return QCoreApplication::translate("WindowTexts",
                                       "Input folder can not be the same of your Output folder.\n");
}

inline QString startupNoticeTitle() {
    return QCoreApplication::translate("WindowTexts", "Startup Q&A");
}
inline QString startupNotice() {
    return QCoreApplication::translate(
        "WindowTexts",
        "Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures "
        "look the same as before.\n\nA: You may not notice the change with your eyes, the app "
        "changes the picture's DPI only. You may click the 'Show Inspector' from your app "
        "'Preview' before and after convert to see the change of your picture's DPI.\n");
}

// How many pictures each list of the end-of-run alert names before it only counts the rest.
inline constexpr qsizetype FailuresListed = 10;
inline QString failuresTitle() {
    return QCoreApplication::translate("WindowTexts", "Some pictures were not converted");
}
inline QString failures(qsizetype failed, qsizetype pictures, const QString& list) {
    return QCoreApplication::translate(
               "WindowTexts", "%1 of %2 pictures got no copy in the output folder:\n\n%3\n")
        .arg(failed)
        .arg(pictures)
        .arg(list);
}
// The pictures that got a copy with a note from the image tool, apart from those that got none.
inline QString notesTitle() {
    return QCoreApplication::translate("WindowTexts", "Some pictures were converted with a note");
}
inline QString notes(qsizetype noted, qsizetype pictures, const QString& list) {
    return QCoreApplication::translate("WindowTexts",
                                       "%1 of %2 pictures got their copy with a note:\n\n%3\n")
        .arg(noted)
        .arg(pictures)
        .arg(list);
}

// The desktop notification at the end of a run the user is not watching.
inline QString runEndedTitle() {
    return QCoreApplication::translate("WindowTexts", "Plenwick finished");
}
// Those that need attention got no copy, or got it with a note. English keeps its own words for
// one; the other counts go through the translators' plural forms.
inline QString runEnded(qsizetype convertedCount, qsizetype needAttentionCount) {
    // Plural forms take an int; a run never holds more pictures than that.
    const int converted = static_cast<int>(convertedCount);
    const int needAttention = static_cast<int>(needAttentionCount);
    if (needAttention == 0) {
        return converted == 1 ? QCoreApplication::translate("WindowTexts", "1 picture converted.")
                              : QCoreApplication::translate("WindowTexts", "%n pictures converted.",
                                                            nullptr, converted);
    }
    const QString convertedText =
        converted == 1 ? QCoreApplication::translate("WindowTexts", "1 picture converted")
                       : QCoreApplication::translate("WindowTexts", "%n pictures converted",
                                                     nullptr, converted);
    const QString attentionText =
        needAttention == 1 ? QCoreApplication::translate("WindowTexts", "1 needs attention")
                           : QCoreApplication::translate("WindowTexts", "%n need attention",
                                                         nullptr, needAttention);
    //: The notification's sentence: how many were converted, then how many need attention.
    return QCoreApplication::translate("WindowTexts", "%1, %2.").arg(convertedText, attentionText);
}

// A drop on the window that cannot start a run.
inline QString dropRefusedTitle() {
    return QCoreApplication::translate("WindowTexts", "This cannot be converted");
}
inline QString dropBeforeOutputFolder() {
    return QCoreApplication::translate(
        "WindowTexts",
        "Choose the output folder first, then drop the folder that holds your pictures.\n");
}
inline QString dropNotOneItem() {
    return QCoreApplication::translate(
        "WindowTexts", "Drop one folder at a time: the folder that holds your pictures.\n");
}
// The dropped item's name is an argument, never part of the format.
inline QString dropNotAFolder(const QString& name) {
    return QCoreApplication::translate(
               "WindowTexts", "“%1” is not a folder. Drop the folder that holds your pictures.\n")
        .arg(name);
}
inline QString dropNotReadable(const QString& name) {
    return QCoreApplication::translate("WindowTexts", "The folder “%1” cannot be read.\n")
        .arg(name);
}

} // namespace plenwick::WindowTexts
