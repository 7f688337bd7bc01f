#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace plenwick::test {

// One object of the accessibility tree as a screen reader reaches it: over the accessibility bus,
// from another process.
class AtspiNode final {
public:
    // States a test asks about, numbered as the accessibility bus numbers them.
    enum class State { Checked = 4, Pressed = 20 };

    AtspiNode(const QDBusConnection& bus, QString service, QString path);

    // The applications registered with the bus's registry.
    [[nodiscard]] static std::vector<AtspiNode> applications(const QDBusConnection& bus);

    // The process that answers for this node.
    [[nodiscard]] qint64 processId() const;
    [[nodiscard]] QString name() const;
    [[nodiscard]] QString description() const;
    [[nodiscard]] QString roleName() const;
    [[nodiscard]] bool has(State state) const;
    [[nodiscard]] std::vector<AtspiNode> children() const;
    // The first node, depth first from this one, that the test accepts.
    [[nodiscard]] std::optional<AtspiNode>
    find(const std::function<bool(const AtspiNode&)>& accepts) const;
    // Asks for the named action ("Press", "Toggle", ...) without waiting for it to finish, as an
    // action may open a modal window; false when the node offers no such action.
    bool doAction(const QString& action) const;

private:
    [[nodiscard]] QDBusMessage call(const QString& interface, const QString& method,
                                    const QVariantList& arguments = {}) const;
    [[nodiscard]] QString text(const QString& property) const;

    QDBusConnection bus;
    QString service;
    QString path;
};

// The session's accessibility bus; nullopt, with the reason, when the session offers none.
[[nodiscard]] std::optional<QDBusConnection> accessibilityBus(QString& why);

} // namespace plenwick::test
