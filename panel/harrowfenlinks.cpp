#include "harrowfenlinks.h"

#include "percentencoding.h"

namespace plenwick {

namespace {

const QString Greeting = QStringLiteral("Hi Harrowfen,\n\n\n\n\nmy OS:");
const QString SupportClosing = QStringLiteral("\nmy issue:\n\n\n\n\nmyname:\nmycountry:");
const QString RequestClosing = QStringLiteral("\nmy request:\n\n\n\n\nmyname:\nmycountry:");
const QString SupportSubjectFormat = QStringLiteral("%1 %2 - support request");
const QString RequestSubjectFormat = QStringLiteral("%1 %2 - frature request");

} // namespace

QString emailLink(EmailKind kind, QStringView appVersion, QStringView systemVersion) {
    const bool support = kind == EmailKind::SupportRequest;
    const QString subject = (support ? SupportSubjectFormat : RequestSubjectFormat)
                                .arg(QStringView(ProductName), appVersion);
    const QString body = Greeting + systemVersion + (support ? SupportClosing : RequestClosing);
    return u"mailto:" + percentEncodedForHost(SupportAddress) + u"?SUBJECT=" +
           percentEncodedForMailtoField(subject) + u"&BODY=" + percentEncodedForMailtoField(body);
}

} // namespace plenwick
