// The drive must hold the package's files plus twice the larger catalog, reckoned here from
// the members the test put in the archive: exactly that passes, one byte less stops the
// installation before anything changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/free_space_check.h"
#include "tests/app/install_fixture.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;

CatalogContent itemsCatalog(int items) {
    CatalogContent content{{{"Wrzos", "Wrzos sp. z o.o."}}, {}};
    for (int i = 1; i <= items; ++i)
        content.items.push_back({i, "Szafa " + std::to_string(i), std::string(200, 'o')});
    return content;
}

// Bytes the extraction writes: the catalog, item.jpg and tekstury\a.jpg (the cover and the text
// stay out of the host folder).
std::uint64_t installedBytes(const std::string& packageCatalog) {
    return packageCatalog.size() + preparationtest::coverJpeg().size() + std::string("texture of Wrzos").size();
}

struct Case {
    const char* name;
    int packageItems;
    int userItems;  // 0: first installation, no user catalog
};

void installWithFreeSpace(const Case& c, std::uint64_t free, bool expectFinished) {
    SCOPED_TRACE(std::string(c.name) + ", free " + std::to_string(free));
    const std::string package = catalogBytes(itemsCatalog(c.packageItems));
    const std::string user = c.userItems ? catalogBytes(itemsCatalog(c.userItems)) : "";
    InstallRun run;
    if (!user.empty()) run.writeUserCatalog(user);
    run.prepare(installtest::packageZip("Wrzos", package));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.files.setFreeSpace(free);
    const std::size_t before = run.files.mutationCount();
    run.clickInstall();
    if (expectFinished) {
        EXPECT_TRUE(run.finished()) << run.statusLabel();
        return;
    }
    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    EXPECT_NE(run.statusLabel().find("Instalacja potrzebuje " + install::sizeText(free + 1) + ", a wolne jest " +
                                     install::sizeText(free) + "."),
              std::string::npos)
        << run.statusLabel();
    EXPECT_EQ(run.files.mutationCount(), before);
}

TEST(InstallFreeSpace, ExactlyEnoughPassesAndOneByteShortStops) {
    const Case cases[] = {
        {"first installation", 3, 0},
        {"user's catalog the larger", 3, 400},
        {"package's catalog the larger", 400, 3},
    };
    for (const Case& c : cases) {
        const std::string package = catalogBytes(itemsCatalog(c.packageItems));
        const std::uint64_t user = c.userItems ? catalogBytes(itemsCatalog(c.userItems)).size() : 0;
        if (c.userItems) {
            ASSERT_NE(user, package.size()) << c.name;  // the rows make the sizes differ
        }
        const std::uint64_t needed = installedBytes(package) + 2 * std::max<std::uint64_t>(package.size(), user);
        installWithFreeSpace(c, needed, true);
        installWithFreeSpace(c, needed - 1, false);
    }
}

}  // namespace
