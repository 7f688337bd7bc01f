#include "intvalue.h"

#include <limits>

namespace plenwick {

int intValue(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    constexpr qint64 limit = qint64{std::numeric_limits<int>::max()} + 1;
    qint64 magnitude = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        magnitude = magnitude * 10 + (text[at].unicode() - u'0');
        if (magnitude > limit)
            magnitude = limit; // saturate; more digits cannot bring it back
    }
    if (negative)
        return static_cast<int>(-magnitude);
    return magnitude >= limit ? std::numeric_limits<int>::max() : static_cast<int>(magnitude);
}

} // namespace plenwick
