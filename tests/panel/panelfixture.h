#pragma once

#include "harrowfenpanel.h"
#include "qtprinters.h"
#include "scripteddesktopservices.h"
#include "temporarysettings.h"

#include <gtest/gtest.h>
#include <memory>

namespace plenwick::test {

// A real panel over a scripted desktop and a settings file in a temporary folder.
class PanelFixture : public testing::Test {
protected:
    // Builds the panel and wakes it, as the interface loader does.
    void load(const BundleInfo& bundle = BundleInfo::mainBundle()) {
        panel = std::make_unique<Harrowfenpanel>(desktop, settings.userDefaults(), bundle);
        panel->awakeFromNib();
    }

    template <typename T> [[nodiscard]] T& outlet(const char* name) const {
        auto* child = panel->findChild<T*>(QString::fromLatin1(name));
        if (child == nullptr)
            throw std::logic_error(std::string("the panel has no ") + name);
        return *child;
    }

    ScriptedDesktopServices desktop;
    TemporarySettings settings;
    std::unique_ptr<Harrowfenpanel> panel;
};

} // namespace plenwick::test
