#include "versiontext.h"

namespace plenwick {

namespace {

// The text a formatter prints for an object that is not there.
QString describe(const QVariant& value) {
    return value.isValid() ? value.toString() : QStringLiteral("(null)");
}

} // namespace

QString versionText(const BundleInfo& bundle) {
    const QVariant shortVersion =
        bundle.objectForInfoDictionaryKey(QString::fromUtf16(ShortVersionKey));
    const QVariant buildNumber = bundle.infoDictionary().value(QString::fromUtf16(BuildNumberKey));
    return describe(shortVersion) + u'.' + describe(buildNumber);
}

} // namespace plenwick
