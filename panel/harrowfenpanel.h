#pragma once

#include "bundleinfo.h"
#include "desktopservices.h"
#include "userdefaults.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

namespace plenwick {

// The information panel: the version, the task-bar icon switch, the menus of the maker's other
// programs, the support and feedback links and the tip on opening the program at login.
class Harrowfenpanel final : public QDialog {
    Q_OBJECT

public:
    Harrowfenpanel(DesktopServices& services, UserDefaults& defaults, const BundleInfo& bundle,
                   QWidget* parent = nullptr);

    // Runs once the layout is loaded: version label, first-launch defaults, sibling menus.
    void awakeFromNib();
    // Sets the switch and the task-bar icon from the stored "iDock"; only the value 0 hides it.
    void restoreDockIconMode();
    // Builds both sibling submenus from the titles, replacing any built before.
    void addingPromoAppsOfHarrowfen(const QStringList& titles);

    // The second sibling submenu's item, for the main window's menu bar.
    [[nodiscard]] QAction* siblingMenuItemForMenuBar() const { return harrowfenSubmenuD; }
    // Where the e-mail links read the system's version text.
    void setSystemVersionSource(std::function<QString()> source);

public Q_SLOTS:
    void excuteMyPromo(QObject* sender);
    void dockIconSwitching(QObject* sender);
    void tipsForAutostart(QObject* sender);
    void rateMe(QObject* sender);
    void sendEmailtoMe(QObject* sender);
    void featureRequest(QObject* sender);
    void moreBYharrowfen(QObject* sender);

private:
    [[nodiscard]] int dockButtonState() const;

    DesktopServices& services;
    UserDefaults& defaults;
    BundleInfo bundle;
    std::function<QString()> systemVersion;

    QPointer<QWidget> tipView;
    QPointer<QAbstractButton> dockButton;
    QPointer<QMenu> sMenu;
    QString appVersion;
    QPointer<QLabel> versionLabel;
    QPointer<QAction> harrowfenSubmenuS;
    QPointer<QAction> harrowfenSubmenuD;
};

} // namespace plenwick
