// The scene's picture and its OpenGL state after set-up, from the snapshot tool run under
// Wine: the same window, pixel format, context and drawing as the renderer, with a chosen
// seed. The reference pictures in reference/ were made by the tool itself and looked at;
// to make one again, run scene_snapshot with the arguments below and copy its output there.

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "renderer/scene/gl_headers.h"
#include "renderer/scene/vortex_scene.h"
#include "tests/support/desktop.h"
#include "tools/snapshot/rgb_image.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

constexpr std::uint32_t SideSeed = 1999;
constexpr std::uint32_t TopSeed = 261;  // one of the few seeds that look from above
constexpr int ReferenceFrames = 600;    // long enough for most particles to take colour

// Mesa's rasteriser may round an edge differently on another machine or version.
constexpr int ChannelTolerance = 24;
constexpr std::size_t AllowedDifferingPerMille = 5;

using State = std::map<std::string, std::vector<double>>;
using Matrix = std::array<double, 16>;  // column by column, as OpenGL keeps it

std::string ArtefactPath(const std::string& name) {
    return std::string(NUVREL_ARTEFACT_DIR) + "/" + name;
}

// Runs the tool and returns its exit code, or -1 when it did not end in time.
long RunSnapshot(const std::string& arguments) {
    Program snapshot(ProgramFolder() + "\\scene_snapshot.exe", arguments);
    if (!snapshot.Started()) {
        return -1;
    }
    const auto code = snapshot.WaitForExit(120000);
    return code ? static_cast<long>(*code) : -1;
}

State ReadState(const std::string& path) {
    State state;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        double value = 0;
        while (words >> value) {
            state[name].push_back(value);
        }
    }
    return state;
}

State SnapshotState(std::uint32_t seed, int width, int height, const std::string& name) {
    const std::string path = ArtefactPath(name + "-state.txt");
    std::remove(WindowsPathOf(path).c_str());
    const std::string arguments = "--seed " + std::to_string(seed) + " --frames 0 --size " +
                                  std::to_string(width) + "x" + std::to_string(height) +
                                  " --state " + WindowsPathOf(path);
    EXPECT_EQ(RunSnapshot(arguments), 0) << arguments;
    return ReadState(WindowsPathOf(path));
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) {
                product[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
            }
        }
    }
    return product;
}

Matrix Perspective(double fieldOfViewDegrees, double aspect, double zNear, double zFar) {
    const double halfAngle = fieldOfViewDegrees / 2 * std::acos(-1.0) / 180;
    const double f = 1.0 / std::tan(halfAngle);
    Matrix m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (zFar + zNear) / (zNear - zFar);
    m[11] = -1.0;
    m[14] = 2.0 * zFar * zNear / (zNear - zFar);
    return m;
}

Matrix Translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

// A quarter turn about the x axis: y goes to z, z to -y.
Matrix QuarterTurnAboutX() {
    return {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1};
}

void ExpectValues(const State& state, const std::string& name, const std::vector<double>& values,
                  double tolerance = 1e-6) {
    const auto found = state.find(name);
    ASSERT_NE(found, state.end()) << name;
    ASSERT_EQ(found->second.size(), values.size()) << name;
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_NEAR(found->second[i], values[i], tolerance * std::max(1.0, std::fabs(values[i])))
            << name << "[" << i << "]";
    }
}

// A quarter turn in single precision leaves entries near zero that the eye distance scales.
void ExpectMatrix(const State& state, const std::string& name, const Matrix& expected) {
    ExpectValues(state, name, std::vector<double>(expected.begin(), expected.end()), 1e-4);
}

// Everything but the viewport and the camera is the same for both views.
void ExpectFixedState(const State& state) {
    ExpectMatrix(state, "modelview", Translation(0, 0, 0));
    ExpectValues(state, "matrix_mode", {GL_MODELVIEW});
    ExpectValues(state, "depth_test", {1});
    ExpectValues(state, "cull_face", {1});
    ExpectValues(state, "cull_face_mode", {GL_BACK});
    ExpectValues(state, "front_face", {GL_CCW});
    ExpectValues(state, "scissor_test", {0});
    ExpectValues(state, "clear_color", {0, 0, 0, 1});
    ExpectValues(state, "lighting", {1});
    ExpectValues(state, "light0", {1});
    ExpectValues(state, "light0_ambient", {0.25, 0.25, 0.25, 0});
    ExpectValues(state, "light0_diffuse", {1, 1, 1, 0});
    ExpectValues(state, "light0_specular", {1, 1, 1, 0});
    // Given while the modelview matrix was the identity: a direction fixed in the scene.
    ExpectValues(state, "light0_position", {400, -200, 400, 0});
    ExpectValues(state, "color_material", {1});
    ExpectValues(state, "color_material_face", {GL_FRONT});
    ExpectValues(state, "color_material_parameter", {GL_AMBIENT_AND_DIFFUSE});
    // The 0.7 grey given for the specular colour is still the current colour, which the
    // ambient and diffuse colour follow from the switch of the colour-material mode on.
    ExpectValues(state, "material_specular", {0.7, 0.7, 0.7, 1});
    ExpectValues(state, "material_ambient", {0.7, 0.7, 0.7, 1});
    ExpectValues(state, "material_diffuse", {0.7, 0.7, 0.7, 1});
    ExpectValues(state, "material_shininess", {20});
    ExpectValues(state, "list1", {1});
}

TEST(scene_picture_test, side_view_state_after_set_up) {
    ASSERT_EQ(VortexScene(SideSeed).view, View::Side);
    const State state = SnapshotState(SideSeed, 320, 200, "side");
    ExpectValues(state, "viewport", {0, 0, 320, 200});
    ExpectMatrix(state, "projection",
                 Multiply(Perspective(80, 320.0 / 200.0, 50, 3000), Translation(0, 0, -400)));
    ExpectFixedState(state);
}

TEST(scene_picture_test, top_view_state_after_set_up) {
    ASSERT_EQ(VortexScene(TopSeed).view, View::Top);
    const State state = SnapshotState(TopSeed, 200, 200, "top");
    ExpectValues(state, "viewport", {0, 0, 200, 200});
    ExpectMatrix(state, "projection",
                 Multiply(Multiply(Perspective(80, 1.0, 50, 3000), QuarterTurnAboutX()),
                          Translation(0, -400, 0)));
    ExpectFixedState(state);
}

// Draws frames 1..ReferenceFrames and compares the picture with the stored one; on a
// mismatch the picture and the difference are left beside the test.
void ExpectPictureMatchesReference(std::uint32_t seed, int width, int height,
                                   const std::string& name) {
    const std::string picturePath = ArtefactPath(name + ".ppm");
    std::remove(WindowsPathOf(picturePath).c_str());
    const std::string arguments = "--seed " + std::to_string(seed) + " --frames " +
                                  std::to_string(ReferenceFrames) + " --size " +
                                  std::to_string(width) + "x" + std::to_string(height) + " --out " +
                                  WindowsPathOf(picturePath);
    ASSERT_EQ(RunSnapshot(arguments), 0) << arguments;
    const auto picture = ReadPpm(WindowsPathOf(picturePath));
    ASSERT_TRUE(picture) << picturePath;
    const std::string referencePath = std::string(NUVREL_REFERENCE_DIR) + "/" + name + ".ppm";
    const auto reference = ReadPpm(WindowsPathOf(referencePath));
    ASSERT_TRUE(reference) << referencePath;

    const ImageDifference difference = CompareImages(*reference, *picture, ChannelTolerance);
    ASSERT_TRUE(difference.sameSize);
    const std::size_t allowed = reference->PixelCount() * AllowedDifferingPerMille / 1000;
    if (difference.differingPixels > allowed) {
        WritePpm(WindowsPathOf(ArtefactPath(name + "-difference.ppm")), difference.picture);
    }
    EXPECT_LE(difference.differingPixels, allowed)
        << "largest channel difference " << difference.largestChannelDifference << "; see "
        << ArtefactPath(name + "-difference.ppm");
}

TEST(scene_picture_test, side_view_frame_matches_the_reference) {
    ExpectPictureMatchesReference(SideSeed, 320, 200, "side-seed1999-frame600-320x200");
}

TEST(scene_picture_test, top_view_frame_matches_the_reference) {
    ExpectPictureMatchesReference(TopSeed, 200, 200, "top-seed261-frame600-200x200");
}

}  // namespace
}  // namespace nuvrel
