#include "atspinode.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <utility>

namespace plenwick::test {

namespace {

const QString AccessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString ActionInterface = QStringLiteral("org.a11y.atspi.Action");

QDBusMessage call(const QDBusConnection& bus, const QString& service, const QString& path,
                  const QString& interface, const QString& method,
                  const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message);
}

// The first reply argument, an array the bus sends as "a(so)": (service, path) pairs.
std::vector<std::pair<QString, QString>> references(const QDBusMessage& reply) {
    std::vector<std::pair<QString, QString>> found;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return found;
    const auto array = reply.arguments().constFirst().value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        QString service;
        QDBusObjectPath path;
        array.beginStructure();
        array >> service >> path;
        array.endStructure();
        found.emplace_back(service, path.path());
    }
    array.endArray();
    return found;
}

} // namespace

std::optional<QDBusConnection> accessibilityBus(QString& why) {
    if (!QDBusConnection::sessionBus().isConnected()) {
        why = QStringLiteral("no session bus");
        return std::nullopt;
    }
    const QDBusReply<QString> address =
        call(QDBusConnection::sessionBus(), QStringLiteral("org.a11y.Bus"),
             QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"),
             QStringLiteral("GetAddress"));
    if (!address.isValid()) {
        why = QStringLiteral("no accessibility bus: ") + address.error().message();
        return std::nullopt;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(address.value(), QStringLiteral("a11y"));
    if (!bus.isConnected()) {
        why = QStringLiteral("cannot reach the accessibility bus at ") + address.value();
        return std::nullopt;
    }
    return bus;
}

AtspiNode::AtspiNode(const QDBusConnection& bus, QString service, QString path)
    : bus(bus)
    , service(std::move(service))
    , path(std::move(path)) {}

std::vector<AtspiNode> AtspiNode::applications(const QDBusConnection& bus) {
    return AtspiNode(bus, QStringLiteral("org.a11y.atspi.Registry"),
                     QStringLiteral("/org/a11y/atspi/accessible/root"))
        .children();
}

QVariant AtspiNode::property(const char* interface, const char* name) const {
    const QDBusMessage reply =
        call(bus, service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {QString::fromLatin1(interface), QString::fromLatin1(name)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

QString AtspiNode::name() const {
    return property("org.a11y.atspi.Accessible", "Name").toString();
}

QString AtspiNode::description() const {
    return property("org.a11y.atspi.Accessible", "Description").toString();
}

QString AtspiNode::roleName() const {
    const QDBusReply<QString> reply =
        call(bus, service, path, AccessibleInterface, QStringLiteral("GetRoleName"));
    return reply.isValid() ? reply.value() : QString();
}

bool AtspiNode::has(State state) const {
    const QDBusMessage reply =
        call(bus, service, path, AccessibleInterface, QStringLiteral("GetState"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    QList<uint> words; // the state set as 32-bit words, lowest first
    reply.arguments().constFirst().value<QDBusArgument>() >> words;
    const auto bit = static_cast<qsizetype>(state);
    return bit / 32 < words.size() && (words[bit / 32] >> (bit % 32) & 1U) != 0;
}

std::vector<AtspiNode> AtspiNode::children() const {
    std::vector<AtspiNode> nodes;
    for (auto& [childService, childPath] :
         references(call(bus, service, path, AccessibleInterface, QStringLiteral("GetChildren"))))
        nodes.emplace_back(bus, std::move(childService), std::move(childPath));
    return nodes;
}

std::optional<AtspiNode>
AtspiNode::find(const std::function<bool(const AtspiNode&)>& accepts) const {
    if (accepts(*this))
        return *this;
    for (const AtspiNode& child : children())
        if (auto found = child.find(accepts))
            return found;
    return std::nullopt;
}

bool AtspiNode::doAction(const QString& action) const {
    const QDBusMessage reply =
        call(bus, service, path, ActionInterface, QStringLiteral("GetActions"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const auto array = reply.arguments().constFirst().value<QDBusArgument>();
    int index = -1;
    array.beginArray();
    for (int at = 0; !array.atEnd(); ++at) {
        QString actionName;
        QString description;
        QString keyBinding;
        array.beginStructure();
        array >> actionName >> description >> keyBinding;
        array.endStructure();
        if (index < 0 && actionName == action)
            index = at;
    }
    array.endArray();
    if (index < 0)
        return false;
    QDBusMessage request =
        QDBusMessage::createMethodCall(service, path, ActionInterface, QStringLiteral("DoAction"));
    request.setArguments({index});
    return bus.send(request);
}

} // namespace plenwick::test
