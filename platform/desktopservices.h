#pragma once

#include "alert.h"
#include "batchservices.h"
#include "folderchooser.h"

#include <QString>
#include <QUrl>

namespace plenwick {

enum class ActivationPolicy { Regular = 0, Accessory = 1 };

// Everything modal or outward-facing that the program asks of the desktop, besides what a batch
// asks of the machine. The Qt backend does it for real; tests inject a scripted double.
class DesktopServices : public BatchServices {
public:
    ~DesktopServices() override = default;

    // Runs the alert modally; answers the code of the pressed button (1000 for the first) and
    // leaves the suppression check box's final state in the alert.
    virtual int runAlert(Alert& alert) = 0;
    virtual FolderChoice runFolderChooser(const FolderChooser& chooser) = 0;
    virtual void openUrl(const QUrl& url) = 0;
    virtual void beep() = 0;
    // Keeps handling events for the given time before returning.
    virtual void runEventLoopFor(int milliseconds) = 0;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    virtual void activateApplication() = 0;
    virtual void terminate() = 0;

protected:
    DesktopServices() = default;
    DesktopServices(const DesktopServices&) = default;
    DesktopServices& operator=(const DesktopServices&) = default;
};

} // namespace plenwick
