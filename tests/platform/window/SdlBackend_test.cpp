// The SDL back end on SDL's own off-screen video driver: frames shown at the display scale by pixel
// replication, mouse positions mapped back, Alt+letter as a key only, and drops larger than SDL's event
// queue; the scale choice, per window; the window system's place of a window and its pop-ups.
#include "platform/window/SdlBackend.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gdi/Raster.h"
#include "platform/window/DisplayScale.h"
#include "platform/window/Window.h"

namespace plexon::window {
namespace {

TEST(DisplayScale, OursWinsThenTheDesktopsVariableThenItsResources) {
    const std::string dpi192 = "Xft.antialias:\t1\nXft.dpi:\t192\n", dpi288 = "Xft.dpi: 288\n";
    struct Case {
        std::optional<std::string> plexon, gdk, resources;
        int scale;
    } cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, 1},
        {"2", std::nullopt, std::nullopt, 2},
        {"1", "2", dpi192, 1},  // ours turns it off
        {"3", "2", std::nullopt, 3},
        {std::nullopt, "2", "Xft.dpi: 96\n", 2},
        {std::nullopt, std::nullopt, dpi192, 2},
        {std::nullopt, std::nullopt, dpi288, 3},
        {std::nullopt, std::nullopt, "Xft.dpi:\t191.9\n", 1},
        {std::nullopt, std::nullopt, "Xft.dpis: 192\nXft.dpi: x\n", 1},
        {"0", "1.5", dpi192, 2},  // neither variable is a whole scale: the resources decide
        {"2x", std::nullopt, std::nullopt, 1},
        {"40", std::nullopt, std::nullopt, kMaxDisplayScale},
        {"2.5", "1", std::nullopt, 3},  // a fraction of ours is rounded, with a note
        {"0.4", "2", std::nullopt, 1},
    };
    for (const Case& c : cases) {
        const ScaleChoice choice = ChooseDisplayScale({c.plexon, c.gdk, c.resources});
        EXPECT_EQ(choice.note.empty(), !c.plexon || c.plexon->find('.') == std::string::npos);
        EXPECT_EQ(choice.scale, c.scale)
            << c.plexon.value_or("-") << " " << c.gdk.value_or("-") << " " << c.resources.value_or("-");
    }
    EXPECT_EQ(ChooseDisplayScale({"2.5", std::nullopt, std::nullopt}).note,
              "PLEXON_SCALE=2.5 is not a whole number; taken as 3");
    // The main window (413 x 353) at 3x would be 1059 high: on a 1280 x 1024 screen it gets 2x.
    EXPECT_EQ(FittingScale(3, {413, 353}, {1280, 1024}), 2);
    EXPECT_EQ(FittingScale(3, {413, 353}, {1280, 1059}), 3);
    EXPECT_EQ(FittingScale(2, {2000, 10}, {1024, 768}), 1);
    EXPECT_EQ(ToFrameCoordinate(5, 2), 2);
    EXPECT_EQ(ToFrameCoordinate(-1, 2), -1);
    EXPECT_EQ(ToFrameCoordinate(-2, 2), -1);
    EXPECT_EQ(ToFrameCoordinate(-3, 2), -2);
}

class SdlBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        ::setenv("PLEXON_SCALE", "2", 1);
        try {
            auto backend = std::make_unique<SdlBackend>();
            sdl_ = backend.get();
            desk_ = std::make_unique<Desktop>(std::move(backend));
        } catch (const std::exception& e) {
            GTEST_SKIP() << "SDL's off-screen video driver is not available: " << e.what();
        }
    }
    void TearDown() override {
        if (desk_)
            for (HWND top : desk_->TopLevels()) desk_->DestroyWindow(top);
        desk_.reset();
        ::unsetenv("PLEXON_SCALE");
    }
    void Pump() {
        Message m;
        while (desk_->GetMessage(m, Wait::No)) desk_->DispatchMessage(m);
    }

    SdlBackend* sdl_ = nullptr;
    std::unique_ptr<Desktop> desk_;
    std::vector<Message> received_;
};

TEST_F(SdlBackendTest, ShowsTheFrameAtTheScaleAndMapsTheMouseAndLargeDropsBack) {
    ASSERT_EQ(sdl_->Scale(), 2);
    EXPECT_EQ(sdl_->ScreenSize().cx * 2, [] {
        SDL_DisplayMode mode;
        SDL_GetDesktopDisplayMode(0, &mode);
        return mode.w;
    }());
    // A 5 x 3 window painted in a pattern that tells every pixel apart.
    HWND top = desk_->CreateWindow({.bounds = {10, 20, 15, 23}, .caption = "W", .proc = [this](Message& m) {
                                        if (m.kind == MessageKind::Paint) {
                                            for (int y = 0; y < 3; ++y)
                                                for (int x = 0; x < 5; ++x)
                                                    gdi::SetPixel(m.dc, x, y, gdi::RGB(x * 50, y * 100, 7));
                                        } else if (m.kind != MessageKind::EraseBackground) {
                                            received_.push_back(m);
                                        }
                                    }});
    desk_->Show(top, true);
    Pump();
    auto* native = static_cast<SDL_Window*>(top->native);
    int w = 0, h = 0, x = 0, y = 0;
    SDL_GetWindowSize(native, &w, &h);
    SDL_GetWindowPosition(native, &x, &y);
    EXPECT_EQ((std::vector<int>{w, h, x, y}), (std::vector<int>{10, 6, 20, 40}));

    // The model: every frame pixel as a 2 x 2 block.
    const FrameView frame = desk_->Frame(top);
    SDL_Surface* surface = SDL_GetWindowSurface(native);
    ASSERT_NE(surface, nullptr);
    std::vector<std::uint32_t> shown, model;
    SDL_LockSurface(surface);
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 10; ++col) {
            Uint8 r = 0, g = 0, b = 0;
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, static_cast<std::uint8_t*>(surface->pixels) + row * surface->pitch + col * 4,
                        4);
            SDL_GetRGB(pixel, surface->format, &r, &g, &b);
            shown.push_back(std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b);
            std::uint32_t source = 0;
            std::memcpy(&source,
                        frame.pixels + std::size_t(row / 2) * frame.stride + std::size_t(col / 2) * 4, 4);
            model.push_back(source & 0xFFFFFF);
        }
    SDL_UnlockSurface(surface);
    EXPECT_EQ(shown, model);
    EXPECT_EQ(model[9], 0xC80007u);  // frame pixel (4, 0): red 200, green 0, blue 7

    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.windowID = SDL_GetWindowID(native);
    click.button.button = SDL_BUTTON_LEFT;
    click.button.clicks = 1;
    click.button.x = 7;
    click.button.y = 5;
    SDL_PushEvent(&click);
    // Alt+B is a command, not a "b"; AltGr+Q types "@" (German layout, AltGr seen as right Alt).
    for (auto [sym, mod, text] : {std::tuple{SDLK_b, KMOD_LALT, "b"}, {SDLK_q, KMOD_RALT, "@"}}) {
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym = {.scancode = SDL_SCANCODE_B, .sym = sym, .mod = Uint16(mod), .unused = 0};
        SDL_PushEvent(&key);
        key.type = SDL_TEXTINPUT;
        std::strcpy(key.text.text, text);
        SDL_PushEvent(&key);
    }

    // More names in one drop than SDL's queue can hold.
    constexpr int kFiles = 100000;
    SDL_Event drop{};
    drop.drop.windowID = SDL_GetWindowID(native);
    drop.type = SDL_DROPBEGIN;
    SDL_PushEvent(&drop);
    drop.type = SDL_DROPFILE;
    for (int i = 0; i < kFiles; ++i) {
        drop.drop.file = SDL_strdup(("/icons/Icon" + std::to_string(i) + ".bmp").c_str());
        SDL_PushEvent(&drop);
    }
    drop.drop.file = nullptr;
    drop.type = SDL_DROPCOMPLETE;
    SDL_PushEvent(&drop);
    sdl_->PumpEvents(*desk_, Wait::No);
    Pump();

    const Message* down = nullptr;
    const Message* dropped = nullptr;
    std::u32string typed;
    for (const Message& m : received_) {
        if (m.kind == MessageKind::Char) typed += m.ch;
        if (m.kind == MessageKind::MouseDown) down = &m;
        if (m.kind == MessageKind::FilesDropped) dropped = &m;
    }
    EXPECT_EQ(typed, U"@");
    ASSERT_NE(down, nullptr);
    EXPECT_EQ((std::vector<int>{down->point.x, down->point.y}), (std::vector<int>{3, 2}));
    ASSERT_NE(dropped, nullptr);
    ASSERT_EQ(dropped->paths.size(), std::size_t(kFiles));
    EXPECT_EQ(dropped->paths.front(), "/icons/Icon0.bmp");
    EXPECT_EQ(dropped->paths.back(), "/icons/Icon99999.bmp");
}


TEST_F(SdlBackendTest, AWindowTooLargeForTheScaleShowsAtLessAndTheNextAtTheProgramsScale) {
    auto make = [&](const gdi::RECT& bounds, HWND owner) {
        HWND w = desk_->CreateWindow({.owner = owner,
                                      .bounds = bounds,
                                      .caption = {},
                                      .border = BorderStyle::Single,
                                      .popup = owner ? PopupKind::List : PopupKind::None,
                                      .proc = [](Message&) {}});
        desk_->Show(w, true);
        return w;
    };
    HWND wide = make({0, 0, 600, 100}, nullptr);  // 1200 wide at 2x, more than the screen
    HWND list = make({5, 5, 50, 50}, wide);
    HWND next = make({10, 10, 110, 110}, nullptr);
    Pump();
    struct Case {
        HWND window;
        int scale;
    } cases[] = {{wide, 1}, {list, 1}, {next, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(sdl_->ScaleOf(*c.window), c.scale);
        int w = 0, h = 0;
        SDL_GetWindowSize(static_cast<SDL_Window*>(c.window->native), &w, &h);
        EXPECT_EQ(w, c.window->Width() * c.scale);
    }
    EXPECT_EQ(sdl_->ScreenSizeOf(*wide).cx, 2 * sdl_->ScreenSizeOf(*next).cx);
}

TEST_F(SdlBackendTest, TheWindowSystemsPlaceIsTheWindowsAndItsPopupsAreAtItToThePixel) {
    HWND top = desk_->CreateWindow({.bounds = {10, 10, 110, 110}, .caption = "W", .proc = [](Message&) {}});
    desk_->Show(top, true);
    Pump();
    // As a window manager's frame or the user's drag puts it: 301, 41 on the screen at 2x.
    SDL_Window* native = static_cast<SDL_Window*>(top->native);
    SDL_SetWindowPosition(native, 301, 41);
    SDL_Event moved{};
    moved.type = SDL_WINDOWEVENT;
    moved.window.event = SDL_WINDOWEVENT_MOVED;
    moved.window.windowID = SDL_GetWindowID(native);
    SDL_PushEvent(&moved);
    sdl_->PumpEvents(*desk_, Wait::No);
    EXPECT_EQ(desk_->ClientToScreen(top, {0, 0}).x, 150);
    EXPECT_EQ(desk_->ClientToScreen(top, {0, 0}).y, 20);
    HWND hint = desk_->CreateWindow(
        {.owner = top, .bounds = {155, 27, 165, 37}, .caption = {}, .border = BorderStyle::None,
         .popup = PopupKind::Hint, .proc = [](Message&) {}});
    int x = 0, y = 0;
    SDL_GetWindowPosition(static_cast<SDL_Window*>(hint->native), &x, &y);
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{301 + 10, 41 + 14}));
    // A caption change leaves the window where the user put it.
    desk_->SetCaption(top, "Moved");
    SDL_GetWindowPosition(native, &x, &y);
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{301, 41}));
}

}  // namespace
}  // namespace plexon::window
