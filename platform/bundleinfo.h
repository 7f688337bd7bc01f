#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace plenwick {

inline constexpr char16_t ShortVersionKey[] = u"CFBundleShortVersionString";
inline constexpr char16_t BuildNumberKey[] = u"CFBundleVersion";

// The program's own information: its short version and build number, fixed when it was built.
class BundleInfo final {
public:
    using Dictionary = QHash<QString, QVariant>;

    // The information of the running program.
    static BundleInfo mainBundle();
    explicit BundleInfo(Dictionary dictionary);

    // A null value when the key is absent.
    [[nodiscard]] QVariant objectForInfoDictionaryKey(const QString& key) const;
    [[nodiscard]] const Dictionary& infoDictionary() const { return dictionary; }

private:
    Dictionary dictionary;
};

} // namespace plenwick
