#include "renderer/x11/text_overlay.h"

#include <GL/gl.h>

#include "renderer/x11/bitmap_font.h"

namespace nuvrel::x11 {

namespace {
constexpr int Margin = 8;
}  // namespace

void DrawCornerText(const char* text, int viewportWidth, int viewportHeight) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);  // the particles' material stays as it was
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewportWidth, 0.0, viewportHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(Margin, Margin);
    for (const char* c = text; *c != '\0'; ++c) {
        glBitmap(GlyphWidth, GlyphHeight, 0.0f, 0.0f, static_cast<GLfloat>(GlyphAdvance), 0.0f,
                 GlyphFor(*c).data());
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace nuvrel::x11
