#pragma once

#include <QString>

// The window's English texts shown in more than one test, exactly as the user reads them, written
// out here rather than taken from the product's own text functions, so that a changed text fails.
namespace plenwick::test::ExpectedTexts {

using namespace Qt::StringLiterals;

inline const QString SelectOutputFolderFirst = u"Select Destination (output) Folder First"_s;
inline QString outputConfirmation(const QString& path) {
    return u"All DPI changed pictures will be copied and saved to this OUTPUT folder:\n\n"_s +
           path +
           u"\n\nPlease double check the folder is which you selected, depending on the browsing "
           u"mode you are using, sometimes you have to double clicking the folder and make it "
           u"displaying in blue.\n"_s;
}

inline const QString StartupNotice =
    u"Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures "
    u"look the same as before.\n\nA: You may not notice the change with your eyes, the app "
    u"changes the picture's DPI only. You may click the 'Show Inspector' from your app "
    u"'Preview' before and after convert to see the change of your picture's DPI.\n"_s;

inline QString dropNotAFolder(const QString& name) {
    return u"“"_s + name + u"” is not a folder. Drop the folder that holds your pictures.\n"_s;
}

} // namespace plenwick::test::ExpectedTexts
