#include "atspinode.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <tuple>
#include <utility>

namespace plenwick::test {

namespace {

const QString Accessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString Action = QStringLiteral("org.a11y.atspi.Action");

// The reply's array of structures ("a(so)", "a(sss)", ...), one tuple each.
template <typename... Fields> std::vector<std::tuple<Fields...>> rows(const QDBusMessage& reply) {
    std::vector<std::tuple<Fields...>> found;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return found;
    const auto array = reply.arguments().constFirst().value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        std::tuple<Fields...> row;
        array.beginStructure();
        std::apply([&array](auto&... field) { (array >> ... >> field); }, row);
        array.endStructure();
        found.push_back(std::move(row));
    }
    array.endArray();
    return found;
}

} // namespace

std::optional<QDBusConnection> accessibilityBus(QString& why) {
    const QDBusReply<QString> address =
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
            QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
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

QDBusMessage AtspiNode::call(const QString& interface, const QString& method,
                             const QVariantList& arguments) const {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message);
}

QString AtspiNode::text(const QString& property) const {
    const QDBusReply<QDBusVariant> reply = call(QStringLiteral("org.freedesktop.DBus.Properties"),
                                                QStringLiteral("Get"), {Accessible, property});
    return reply.isValid() ? reply.value().variant().toString() : QString();
}

qint64 AtspiNode::processId() const {
    const QDBusReply<uint> pid = bus.interface()->servicePid(service);
    return pid.isValid() ? pid.value() : -1;
}

QString AtspiNode::name() const {
    return text(QStringLiteral("Name"));
}

QString AtspiNode::description() const {
    return text(QStringLiteral("Description"));
}

QString AtspiNode::roleName() const {
    const QDBusReply<QString> reply = call(Accessible, QStringLiteral("GetRoleName"));
    return reply.isValid() ? reply.value() : QString();
}

bool AtspiNode::has(State state) const {
    const QDBusMessage reply = call(Accessible, QStringLiteral("GetState"));
    QList<uint> words; // the state set as 32-bit words, lowest first
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        reply.arguments().constFirst().value<QDBusArgument>() >> words;
    const auto bit = static_cast<qsizetype>(state);
    return bit / 32 < words.size() && (words[bit / 32] >> (bit % 32) & 1U) != 0;
}

std::vector<AtspiNode> AtspiNode::children() const {
    std::vector<AtspiNode> nodes;
    for (const auto& [childService, childPath] :
         rows<QString, QDBusObjectPath>(call(Accessible, QStringLiteral("GetChildren"))))
        nodes.emplace_back(bus, childService, childPath.path());
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
    const auto actions =
        rows<QString, QString, QString>(call(Action, QStringLiteral("GetActions")));
    for (std::size_t index = 0; index < actions.size(); ++index) {
        if (std::get<0>(actions[index]) == action) {
            QDBusMessage request =
                QDBusMessage::createMethodCall(service, path, Action, QStringLiteral("DoAction"));
            request.setArguments({static_cast<int>(index)});
            return bus.send(request);
        }
    }
    return false;
}

} // namespace plenwick::test
