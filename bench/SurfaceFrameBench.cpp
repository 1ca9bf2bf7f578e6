// One frame of the response surface as the window draws it while it runs:
// the room, a 100 x 100 mesh in immediate mode with its grid lines, the
// frame and the frame-rate text, in a 480 x 360 picture (the window's
// starting size). Target: under 20 ms a frame, so that the camera moves
// smoothly on a software renderer too.
//
// It needs OpenGL and so a display: run it as
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_surface_frame
// Without one it says so and measures nothing.

#include "plan/Settings.h"
#include "surface3d/OpenGLScene.h"
#include "surface3d/SolidLib.h"
#include "surface3d/SurfaceMesh.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>

using namespace orvanta;

namespace {

// A saddle over the grid, fitted into the room as the window fits it.
TSurface Saddle(int points, const TSettings& settings) {
    TSurface mesh;
    SURFNEW(points, points, mesh);
    for (int i = 0; i < points; ++i) {
        for (int j = 0; j < points; ++j) {
            const float x1 = -1.0f + 2.0f * static_cast<float>(i) / static_cast<float>(points - 1);
            const float x2 = -1.0f + 2.0f * static_cast<float>(j) / static_cast<float>(points - 1);
            SURFADDVTX(0, 0, 0, TVec3{x1, x1 * x1 - x2 * x2 + 0.3f * std::sin(5.0f * x1), x2},
                       mesh);
        }
    }
    SURFSETBBOX(RoomHigh, RoomLow, mesh);
    std::mt19937 random(7);
    ColourMesh(mesh, settings, [&] { return static_cast<int>(random() % 256); });
    return mesh;
}

void SurfaceFrame(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(16);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create() || !context.makeCurrent(&surface)) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    auto* gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(&context);
    auto picture =
        std::make_unique<QOpenGLFramebufferObject>(480, 360, QOpenGLFramebufferObject::Depth);
    if (!gl || !picture->bind()) {
        state.SkipWithError("no fixed-function OpenGL or no framebuffer");
        return;
    }
    TSettings settings;
    settings.CBShowFPS = true;
    TOpenGLScene scene;
    scene.UseFunctions(gl);
    scene.PrepareContext();
    scene.BuildFont();
    scene.Resize({0, 0, 480, 360});
    scene.RenderState = TOpenGLScene::Running;
    scene.SetSurface(Saddle(points, settings));
    for (auto _ : state) {
        scene.Draw(settings);
        // The frame counts once the driver has drawn it.
        gl->glFinish();
    }
    state.counters["vertices"] = points * points;
    scene.FreeFont();
    picture.reset();
    context.doneCurrent();
}

BENCHMARK(SurfaceFrame)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "bench_surface_frame: needs a display for OpenGL; run it under "
                             "xvfb-run -a -s \"-screen 0 1280x1024x24\".\n");
        return 0;
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
