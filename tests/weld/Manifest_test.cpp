// The manifest's JSON: its shape, relative paths, blank, derived and escaped entries, and the names
// it cannot hold.
#include "weld/Manifest.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

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
    EXPECT_EQ(FindNonUtf8Path(ManifestStrips(PlanAtSizes(PlanStrips(request), request), request), request),
              "/w/out/16x16/Bad\xff.bmp");
}

}  // namespace
}  // namespace plexon
