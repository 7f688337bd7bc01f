#include "harrowfenlinks.h"
#include "panelfixture.h"
#include "siblingapps.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>

namespace plenwick::test {
namespace {

class SiblingMenusTest : public PanelFixture {
protected:
    [[nodiscard]] QMenu* submenu(const char* item) const { return outlet<QAction>(item).menu(); }
};

TEST_F(SiblingMenusTest, BothSubmenusListTheSiblingsImagesOnlyInTheFirst) {
    load();
    for (const char* item : {"harrowfenSubmenuS", "harrowfenSubmenuD"}) {
        SCOPED_TRACE(item);
        const QMenu* menu = submenu(item);
        ASSERT_NE(menu, nullptr);
        const auto entries = menu->actions();
        ASSERT_EQ(entries.size(), 8);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QAction* entry = entries.at(i);
            const QString& title = siblingApps()[static_cast<std::size_t>(i)].title;
            EXPECT_EQ(entry->text(), title);
            EXPECT_EQ(entry->data(), QVariant(title));
            EXPECT_TRUE(entry->shortcuts().isEmpty());
            EXPECT_EQ(entry->icon().isNull(), item == std::string_view("harrowfenSubmenuD"));
        }
    }
}

TEST_F(SiblingMenusTest, EachEntryOpensItsOwnStorePageFromEitherMenu) {
    load();
    std::vector<QUrl> expected;
    for (const char* item : {"harrowfenSubmenuS", "harrowfenSubmenuD"}) {
        const auto entries = submenu(item)->actions();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            entries.at(i)->trigger();
            expected.emplace_back(siblingApps()[static_cast<std::size_t>(i)].storeLink);
        }
    }
    EXPECT_EQ(desktop.openedUrls, expected);
    EXPECT_TRUE(desktop.alerts.empty());
    EXPECT_EQ(desktop.beeps, 0);
}

TEST_F(SiblingMenusTest, ATitleOutsideTheListOpensTheStoreSearch) {
    load();
    panel->addingPromoAppsOfHarrowfen({QStringLiteral("Nobody's App")});
    submenu("harrowfenSubmenuS")->actions().constFirst()->trigger();
    submenu("harrowfenSubmenuD")->actions().constFirst()->trigger();
    const QUrl search(QString::fromUtf16(StoreSearchLink));
    EXPECT_EQ(desktop.openedUrls, (std::vector<QUrl>{search, search}));
}

TEST_F(SiblingMenusTest, ASecondBuildReplacesBothSubmenus) {
    load();
    const QPointer<QMenu> firstS = submenu("harrowfenSubmenuS");
    const QPointer<QMenu> firstD = submenu("harrowfenSubmenuD");
    panel->addingPromoAppsOfHarrowfen({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(firstS.isNull());
    EXPECT_TRUE(firstD.isNull());
    ASSERT_NE(submenu("harrowfenSubmenuS"), nullptr);
    ASSERT_NE(submenu("harrowfenSubmenuD"), nullptr);
    EXPECT_TRUE(submenu("harrowfenSubmenuS")->actions().isEmpty());
    EXPECT_TRUE(submenu("harrowfenSubmenuD")->actions().isEmpty());
}

TEST_F(SiblingMenusTest, TheFirstSubmenuHangsInTheStoreMenu) {
    load();
    EXPECT_TRUE(outlet<QMenu>("sMenu").actions().contains(&outlet<QAction>("harrowfenSubmenuS")));
}

} // namespace
} // namespace plenwick::test
