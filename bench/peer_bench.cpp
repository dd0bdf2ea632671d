// What a play frame costs against the library a porter would pick instead:
// SDL2's own 2D renderer (its OpenGL back end) drawing the same picture from
// the same sheets, eight 30-pixel sprites and a flat triangle in a 600 x 400
// window without vsync, against the game's frame (drawFrame and the buffer
// swap) with the Player, its shot, five Undead, the bomb and the Trap. The
// same picture: the peer samples linearly, as the game does, and the sheets'
// light background, which the game's fragment shader leaves out, is made
// transparent at load by the same test and blended away. The two take turns,
// twenty-one short rounds each, in one process; the medians of their CPU times
// per frame (the process's, since llvmpipe draws on threads of its own) and
// the median of the rounds' own ratios are printed at the end.
#include "app/frame.h"
#include "bench/busy_field.h"
#include "entity/kinds.h"
#include "game/game_state.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <unistd.h>
#include <vector>

namespace {

struct Peer {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_GLContext context = nullptr;
    SDL_Texture* sheets[4] = {};
    int widths[4] = {}, heights[4] = {};
} peer;

// A sheet whose background, by the fragment shader's test (darkest channel
// above 0.80, spread under 0.12), is transparent; drawn blended.
SDL_Texture* loadKeyedSheet(const char* path) {
    SDL_Surface* loaded = IMG_Load(path);
    SDL_Surface* sheet = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (!sheet) {
        return nullptr;
    }
    for (int y = 0; y < sheet->h; ++y) {
        auto* texel = static_cast<Uint8*>(sheet->pixels) + y * sheet->pitch;
        for (int x = 0; x < sheet->w; ++x, texel += 4) {
            const float lightest = std::max({texel[0], texel[1], texel[2]}) / 255.0f;
            const float darkest = std::min({texel[0], texel[1], texel[2]}) / 255.0f;
            texel[3] = darkest > 0.80f && lightest - darkest < 0.12f ? 0 : 255;
        }
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(peer.renderer, sheet);
    SDL_FreeSurface(sheet);
    if (texture) {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    }
    return texture;
}

bool openPeer() {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (SDL_Init(SDL_INIT_VIDEO) != 0 ||
        !(peer.window = SDL_CreateWindow("Gorvath peer", 0, 0, 600, 400, SDL_WINDOW_OPENGL)) ||
        !(peer.renderer = SDL_CreateRenderer(peer.window, -1, SDL_RENDERER_ACCELERATED))) {
        return false;
    }
    peer.context = SDL_GL_GetCurrentContext();
    if (chdir(GORVATH_SOURCE_DIR) != 0) {
        return false;
    }
    for (int unit = 0; unit < 4; ++unit) {
        if (!(peer.sheets[unit] = loadKeyedSheet(sheetFiles[unit]))) {
            return false;
        }
        SDL_QueryTexture(peer.sheets[unit], nullptr, nullptr, &peer.widths[unit], &peer.heights[unit]);
    }
    return true;
}

// A sprite of the given tile, 0.1 world units (30 pixels) square, centred at (x, y).
void copyTile(int unit, const TileRect& tile, float x, float y) {
    const int w = peer.widths[unit], h = peer.heights[unit];
    const SDL_Rect from{static_cast<int>(tile.left * w), static_cast<int>((1 - tile.top) * h),
                        static_cast<int>(tile.width * w), static_cast<int>(tile.height * h)};
    const SDL_Rect to{static_cast<int>((x + 1) * 300) - 15, static_cast<int>((2.0f / 3 - y) * 300) - 15, 30,
                      30};
    SDL_RenderCopy(peer.renderer, peer.sheets[unit], &from, &to);
}

void drawPeerScene() {
    SDL_SetRenderDrawColor(peer.renderer, 255, 255, 255, 255);
    SDL_RenderClear(peer.renderer);
    copyTile(0, playerTile, -0.9f, 0.0f);
    copyTile(2, shotTile, -0.85f, 0.0f);
    for (int i = 0; i < 5; ++i) {
        const TileCorner& look = undeadTileCorners[i];
        copyTile(1, {look.left, look.top, undeadTileWidth, undeadTileHeight}, 0.8f, 0.6f - 0.2f * i);
    }
    copyTile(2, bombTile, -0.4f, 0.61f); // falling, below the Trap
    const SDL_Vertex trap[3] = {{{195, 30}, {26, 115, 242, 255}, {0, 0}},
                                {{180, 0}, {26, 115, 242, 255}, {0, 0}},
                                {{210, 0}, {26, 115, 242, 255}, {0, 0}}};
    SDL_RenderGeometry(peer.renderer, nullptr, trap, 3, nullptr, 0);
}

// Whether the peer's own context drew its scene: the Trap's blue inside the
// Trap, and white, not the sheet's background, at a corner of the Player's sprite.
bool peerDrewScene() {
    drawPeerScene();
    const auto colourAt = [](int x, int y) {
        Uint8 pixel[4] = {};
        const SDL_Rect at{x, y, 1, 1};
        SDL_RenderReadPixels(peer.renderer, &at, SDL_PIXELFORMAT_RGBA32, pixel, 4);
        return pixel[0] << 16 | pixel[1] << 8 | pixel[2];
    };
    return colourAt(195, 10) == (26 << 16 | 115 << 8 | 242) && colourAt(16, 186) == 0xffffff;
}

void BM_PeerFrame(benchmark::State& state) {
    if (!peer.renderer && !openPeer()) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    // SDL remembers which context it made current last and skips the call
    // when asked for the same again, though the game's has been made current
    // since: let go of it first, or the peer draws into the game's context.
    SDL_GL_MakeCurrent(peer.window, nullptr);
    SDL_GL_MakeCurrent(peer.window, peer.context);
    for (auto _ : state) {
        drawPeerScene();
        SDL_RenderPresent(peer.renderer);
    }
    glFinish();
    if (!peerDrewScene()) {
        state.SkipWithError("the peer did not draw its scene");
    }
}

GLFWwindow* gameWindow() {
    static GLFWwindow* window = openGameWindow();
    return window;
}

// Each frame is given the same time: nothing steps, nothing finishes.
void BM_GameFrame(benchmark::State& state) {
    if (!gameWindow()) {
        state.SkipWithError("no display");
        return;
    }
    glfwMakeContextCurrent(gameWindow());
    int sinceReset = busyUpdates;
    for (auto _ : state) {
        if (sinceReset == busyUpdates) {
            state.PauseTiming();
            makeBusyField(0);
            sinceReset = 0;
            state.ResumeTiming();
        }
        drawFrame(0.05);
        glfwSwapBuffers(gameWindow());
        ++sinceReset;
    }
    glFinish();
}

// Collects each round's CPU time per frame and prints the medians. The ratio
// is taken round by round, each game round against the peer round next to
// it, and its median printed: the machine's speed drifts over a run,
// and a pair of neighbouring rounds sees the same machine.
class PeerReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed_ = true;
                continue;
            }
            (run.run_name.function_name == "BM_GameFrame" ? game_ : peer_)
                .push_back(run.GetAdjustedCPUTime());
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::vector<double> ratios;
        for (size_t round = 0; round < std::min(game_.size(), peer_.size()); ++round) {
            ratios.push_back(game_[round] / peer_[round]);
        }
        if (!failed_ && !ratios.empty()) {
            GetOutputStream() << "peer: a game frame takes " << median(game_) << " us, SDL2's renderer "
                              << median(peer_)
                              << " us for the same scene; ratio, round by round: " << median(ratios)
                              << " (target: at most 1.0)\n";
        }
    }

  private:
    static double median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    std::vector<double> game_, peer_;
    bool failed_ = false; // a round that could not run leaves its neighbour without a pair
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (int round = 0; round < 21; ++round) {
        benchmark::RegisterBenchmark("BM_GameFrame", BM_GameFrame)
            ->MeasureProcessCPUTime()
            ->MinTime(0.3)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_PeerFrame", BM_PeerFrame)
            ->MeasureProcessCPUTime()
            ->MinTime(0.3)
            ->Unit(benchmark::kMicrosecond);
    }
    PeerReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
