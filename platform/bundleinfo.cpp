#include "bundleinfo.h"

#include "bundleversion.h"

#include <utility>

namespace plenwick {

BundleInfo BundleInfo::mainBundle() {
    return BundleInfo(
        {{QString::fromUtf16(ShortVersionKey), QStringLiteral(PLENWICK_SHORT_VERSION)},
         {QString::fromUtf16(BuildNumberKey), QStringLiteral(PLENWICK_BUILD_NUMBER)}});
}

BundleInfo::BundleInfo(Dictionary dictionary)
    : dictionary(std::move(dictionary)) {}

QVariant BundleInfo::objectForInfoDictionaryKey(const QString& key) const {
    return dictionary.value(key);
}

} // namespace plenwick
