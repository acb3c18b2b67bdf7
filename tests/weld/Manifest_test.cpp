// The manifest's JSON: its shape, relative paths, blank, derived and escaped entries, and the names
// it cannot hold.
#include "weld/Manifest.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

TEST(Manifest, ListsEachStripWithItsSlotsRelativeToTheManifest) {
    WeldRequest request;
    request.FileList = {"/w/icons/Open.svg", "/w/icons/Open_h.svg", "/w/icons/Say \"hi\".svg"};
    request.OutputFolder = "/w/out/";
    request.StateCount = 3;
    request.Slots = {ImageState::Normal, ImageState::Hot, ImageState::Pressed, ImageState::Disabled};
    request.Sizes = {16, 24};
    request.DeriveMissing = true;
    const std::vector<PlannedStrip> plan = PlanAtSizes(PlanStrips(request), request);
    ASSERT_EQ(plan.size(), 4u);
    const std::string expected =
        "{\"strips\": [\n"
        "  {\"path\": \"../out/16x16/Open.bmp\", \"size\": 16, \"states\": [\"normal\", \"hot\", "
        "\"pressed\"], "
        "\"sources\": [\"../icons/Open.svg\", \"../icons/Open_h.svg\", \"../icons/Open.svg\"], "
        "\"derived\": [\"pressed\"]},\n"
        "  {\"path\": \"../out/24x24/Open.bmp\", \"size\": 24, \"states\": [\"normal\", \"hot\", "
        "\"pressed\"], "
        "\"sources\": [\"../icons/Open.svg\", \"../icons/Open_h.svg\", \"../icons/Open.svg\"], "
        "\"derived\": [\"pressed\"]}\n"
        "]}\n";
    // The icon named with quotes was skipped; without derivation its missing slots are null.
    EXPECT_EQ(ManifestText("/w/lists/m.json", ManifestStrips(plan, request, {"Say \"hi\""}), request),
              expected);
    request.DeriveMissing = false;
    EXPECT_NE(ManifestText("/w/m.json", ManifestStrips(plan, request), request)
                  .find("{\"path\": \"out/16x16/Say \\\"hi\\\".bmp\", \"size\": 16, \"states\": [\"normal\", "
                        "\"hot\", \"pressed\"], \"sources\": [\"icons/Say \\\"hi\\\".svg\", null, null], "
                        "\"derived\": []}"),
              std::string::npos);
    request.FileList.push_back("/w/icons/Bad\xff.svg");
    EXPECT_EQ(FindNonUtf8Path("/w/m.json", ManifestStrips(PlanAtSizes(PlanStrips(request), request), request),
                              request),
              "/w/out/16x16/Bad\xff.bmp");
}

// Paths spelled in UTF-8 may still reach the manifest through a working folder whose name is not.
TEST(Manifest, FindsNamesThatAreNotUtf8OnceMadeRelative) {
    test::TempFolder t;
    const std::string odd = t.MakeFolder("odd\xff");
    const fs::path before = fs::current_path();
    fs::current_path(odd);
    WeldRequest request;
    request.FileList = {"icons/Open.bmp"};
    request.OutputFolder = "out/";
    const std::vector<PlannedStrip> plan = PlanStrips(request);
    const std::optional<std::string> inside = FindNonUtf8Path("m.json", ManifestStrips(plan, request), request);
    const std::optional<std::string> above = FindNonUtf8Path("../m.json", ManifestStrips(plan, request), request);
    fs::current_path(before);
    EXPECT_EQ(inside, std::nullopt);
    EXPECT_EQ(above, "out/Open.bmp");
}

}  // namespace
}  // namespace plexon
