#pragma once

#include "alert.h"
#include "batchservices.h"
#include "folderchooser.h"

#include <QString>
#include <QUrl>
#include <memory>

namespace plenwick {

enum class ActivationPolicy { Regular = 0, Accessory = 1 };

// Everything modal or outward-facing that the program asks of the desktop. The Qt backend does it
// for real; tests inject a scripted double.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // Runs the alert modally; answers the pressed button and leaves the suppression check box's
    // final state in the alert.
    virtual AlertButton runAlert(Alert& alert) = 0;
    virtual FolderChoice runFolderChooser(const FolderChooser& chooser) = 0;
    virtual void openUrl(const QUrl& url) = 0;
    virtual void beep() = 0;
    // A passing desktop notification; never fails and never waits.
    virtual void showNotification(const QString& summary, const QString& body) = 0;
    // One pass over the events already waiting; never waits for new ones.
    virtual void pumpEventsOnce() = 0;
    // What one worker of a batch runs the image tool with, on its own thread.
    [[nodiscard]] virtual std::unique_ptr<BatchServices> makeBatchServices() = 0;
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
