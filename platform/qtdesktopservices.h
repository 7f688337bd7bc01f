#pragma once

#include "desktopservices.h"

namespace plenwick {

// The desktop services done for real with Qt.
class QtDesktopServices final : public DesktopServices {
public:
    AlertButton runAlert(Alert& alert) override;
    FolderChoice runFolderChooser(const FolderChooser& chooser) override;
    void openUrl(const QUrl& url) override;
    void beep() override;
    void showNotification(const QString& summary, const QString& body) override;
    void pumpEventsOnce() override;
    void runEventLoopFor(int milliseconds) override;
    std::unique_ptr<BatchServices> makeBatchServices() override;
    void setActivationPolicy(ActivationPolicy policy) override;
    void activateApplication() override;
    void terminate() override;
};

} // namespace plenwick
