#include "harrowfenpanel.h"
#include "siblingapps.h"

#include <QFile>
#include <QIcon>
#include <memory>

namespace plenwick {

namespace {

// The menu image compiled in under the title's name; none when there is none.
QIcon namedImage(const QString& name) {
    const QString path = u":/siblings/" + name + u".png";
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

void installSubmenu(QAction* item, std::unique_ptr<QMenu> submenu) {
    if (item == nullptr)
        return;
    submenu->setTitle(item->text());
    QMenu* previous = item->menu();
    item->setMenu(submenu.release()); // owned by its parent, the panel
    if (previous != nullptr)
        previous->deleteLater(); // it may still be on screen in its own event loop
}

} // namespace

void Harrowfenpanel::addingPromoAppsOfHarrowfen(const QStringList& titles) {
    auto withImages = std::make_unique<QMenu>(this);
    auto withoutImages = std::make_unique<QMenu>(this);
    for (const QString& title : titles) {
        for (QMenu* menu : {withImages.get(), withoutImages.get()}) {
            QAction* item = menu->addAction(title);
            item->setData(title);
            connect(item, &QAction::triggered, this, [this, item] { excuteMyPromo(item); });
        }
        withImages->actions().constLast()->setIcon(namedImage(title));
    }
    installSubmenu(harrowfenSubmenuS, std::move(withImages));
    installSubmenu(harrowfenSubmenuD, std::move(withoutImages));
}

void Harrowfenpanel::excuteMyPromo(QObject* sender) {
    const auto* item = qobject_cast<const QAction*>(sender);
    if (const auto link = promoLink(item != nullptr ? item->data() : QVariant(), siblingApps()))
        services.openUrl(*link);
}

} // namespace plenwick
