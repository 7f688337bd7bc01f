#pragma once

#include <QString>

// The window's English texts exactly as the user reads them, written out here rather than taken
// from the product's own text functions, so that a changed text fails the tests that show it.
namespace plenwick::test::ExpectedTexts {

using namespace Qt::StringLiterals;

inline const QString SelectOutputFolderFirst = u"Select Destination (output) Folder First"_s;
inline const QString OutputChooserTitle = u"Select Destination (output) Folder"_s;
inline const QString OutputChooserPrompt = u"Select This Folder"_s;
inline const QString OutputConfirmationTitle = u"File Saving Folder Confirmation"_s;
inline QString outputConfirmation(const QString& path) {
    return u"All DPI changed pictures will be copied and saved to this OUTPUT folder:\n\n"_s +
           path +
           u"\n\nPlease double check the folder is which you selected, depending on the browsing "
           u"mode you are using, sometimes you have to double clicking the folder and make it "
           u"displaying in blue.\n"_s;
}

inline const QString SourceChooserTitle = u"Select Source Files Folder"_s;
inline const QString SourceChooserPrompt = u"Select this picture folder"_s;
inline const QString OverwriteProtectionTitle = u"Overwrite protection Alert"_s;
inline const QString OverwriteProtection =
    u"Input folder can not be the same of your Output folder.\n"_s;

inline const QString StartupNoticeTitle = u"Startup Q&A"_s;
inline const QString StartupNotice =
    u"Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures "
    u"look the same as before.\n\nA: You may not notice the change with your eyes, the app "
    u"changes the picture's DPI only. You may click the 'Show Inspector' from your app "
    u"'Preview' before and after convert to see the change of your picture's DPI.\n"_s;

inline const QString FailuresTitle = u"Some pictures were not converted"_s;
inline QString failuresHeading(qsizetype failed, qsizetype pictures) {
    return u"%1 of %2 pictures got no copy in the output folder:"_s.arg(failed).arg(pictures);
}
inline const QString NotesTitle = u"Some pictures were converted with a note"_s;
inline QString notesHeading(qsizetype noted, qsizetype pictures) {
    return u"%1 of %2 pictures got their copy with a note:"_s.arg(noted).arg(pictures);
}

inline const QString DropRefusedTitle = u"This cannot be converted"_s;
inline const QString DropBeforeOutputFolder =
    u"Choose the output folder first, then drop the folder that holds your pictures.\n"_s;
inline const QString DropNotOneItem =
    u"Drop one folder at a time: the folder that holds your pictures.\n"_s;
inline QString dropNotAFolder(const QString& name) {
    return u"“"_s + name + u"” is not a folder. Drop the folder that holds your pictures.\n"_s;
}
inline QString dropNotReadable(const QString& name) {
    return u"The folder “"_s + name + u"” cannot be read.\n"_s;
}

} // namespace plenwick::test::ExpectedTexts
