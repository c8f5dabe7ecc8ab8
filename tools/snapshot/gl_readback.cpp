#include "tools/snapshot/gl_readback.h"

#include <sstream>
#include <vector>

#include "renderer/scene/gl_headers.h"

namespace nuvrel {

RgbImage ReadBackBuffer(int width, int height) {
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * height * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    return ImageFromBottomUpRows(width, height, rows.data());
}

namespace {

template <typename T>
void Line(std::ostringstream& out, const char* name, const T* values, int count) {
    out << name;
    for (int i = 0; i < count; ++i) {
        out << ' ' << values[i];
    }
    out << '\n';
}

void Integers(std::ostringstream& out, const char* name, GLenum item, int count) {
    GLint values[16] = {};
    glGetIntegerv(item, values);
    Line(out, name, values, count);
}

void Floats(std::ostringstream& out, const char* name, GLenum item, int count) {
    GLfloat values[16] = {};
    glGetFloatv(item, values);
    Line(out, name, values, count);
}

void Light(std::ostringstream& out, const char* name, GLenum item, int count) {
    GLfloat values[4] = {};
    glGetLightfv(GL_LIGHT0, item, values);
    Line(out, name, values, count);
}

void Material(std::ostringstream& out, const char* name, GLenum item, int count) {
    GLfloat values[4] = {};
    glGetMaterialfv(GL_FRONT, item, values);
    Line(out, name, values, count);
}

void Enabled(std::ostringstream& out, const char* name, GLenum capability) {
    const int on = glIsEnabled(capability) ? 1 : 0;
    Line(out, name, &on, 1);
}

}  // namespace

std::string DescribeGlState() {
    std::ostringstream out;
    out.precision(9);
    Integers(out, "viewport", GL_VIEWPORT, 4);
    Floats(out, "projection", GL_PROJECTION_MATRIX, 16);
    Floats(out, "modelview", GL_MODELVIEW_MATRIX, 16);
    Integers(out, "matrix_mode", GL_MATRIX_MODE, 1);
    Enabled(out, "depth_test", GL_DEPTH_TEST);
    Enabled(out, "cull_face", GL_CULL_FACE);
    Enabled(out, "lighting", GL_LIGHTING);
    Enabled(out, "light0", GL_LIGHT0);
    Enabled(out, "color_material", GL_COLOR_MATERIAL);
    Enabled(out, "scissor_test", GL_SCISSOR_TEST);
    Integers(out, "front_face", GL_FRONT_FACE, 1);
    Integers(out, "cull_face_mode", GL_CULL_FACE_MODE, 1);
    Floats(out, "clear_color", GL_COLOR_CLEAR_VALUE, 4);
    Light(out, "light0_ambient", GL_AMBIENT, 4);
    Light(out, "light0_diffuse", GL_DIFFUSE, 4);
    Light(out, "light0_specular", GL_SPECULAR, 4);
    Light(out, "light0_position", GL_POSITION, 4);
    Material(out, "material_ambient", GL_AMBIENT, 4);
    Material(out, "material_diffuse", GL_DIFFUSE, 4);
    Material(out, "material_specular", GL_SPECULAR, 4);
    Material(out, "material_shininess", GL_SHININESS, 1);
    Integers(out, "color_material_face", GL_COLOR_MATERIAL_FACE, 1);
    Integers(out, "color_material_parameter", GL_COLOR_MATERIAL_PARAMETER, 1);
    const int listOne = glIsList(1) ? 1 : 0;
    Line(out, "list1", &listOne, 1);
    return out.str();
}

}  // namespace nuvrel
