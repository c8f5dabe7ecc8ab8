#include "renderer/scene/gl_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <ctime>

#include "renderer/host/select_pixel_format.h"

namespace nuvrel {

namespace {

constexpr GLuint ParticleShapeList = 1;

constexpr double FieldOfViewDegrees = 80.0;
constexpr double NearPlane = 50.0;
constexpr double FarPlane = 3000.0;
constexpr GLfloat EyeDistance = 400.0f;

// The eye is EyeDistance from the scene's origin, beside the vortex or above it.
void SetUpCamera(const RECT& client, View view) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window of no height would divide by zero.
    const double aspect =
        client.bottom > 0 ? static_cast<double>(client.right) / client.bottom : 1.0;
    gluPerspective(FieldOfViewDegrees, aspect, NearPlane, FarPlane);
    if (view == View::Top) {
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(0.0f, -EyeDistance, 0.0f);
    } else {
        glTranslatef(0.0f, 0.0f, -EyeDistance);
    }
    // Objects place themselves from the identity, so lighting is in scene coordinates.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// A double pyramid of six triangles: a sphere of three slices and two stacks.
void CompileParticleShape() {
    glNewList(ParticleShapeList, GL_COMPILE);
    GLUquadric* quadric = gluNewQuadric();
    gluSphere(quadric, ParticleSize * 0.25, 3, 2);
    gluDeleteQuadric(quadric);
    glEndList();
}

void SetUpLightAndMaterial() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat ambient[] = {0.25f, 0.25f, 0.25f, 0.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 0.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 0.0f};
    const GLfloat direction[] = {400.0f, -200.0f, 400.0f, 0.0f};  // w = 0: directional
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);

    // The specular colour is set once to 0.7 grey; from then on glColor sets only the
    // ambient and diffuse colour of the particles.
    glEnable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, 20.0f);
    glColorMaterial(GL_FRONT, GL_SPECULAR);
    glColor3f(0.7f, 0.7f, 0.7f);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

}  // namespace

void SetUpScene(GlScene& gl, HWND window) {
    // The scene draws all its random numbers here, before any OpenGL state is set: the
    // same sequence as drawing the camera's view between the two.
    std::unique_ptr<VortexScene> scene =
        TryBuildVortexScene(static_cast<std::uint32_t>(std::time(nullptr)));

    gl.deviceContext = GetDC(window);
    SelectPixelFormat(gl.deviceContext);
    gl.renderingContext = wglCreateContext(gl.deviceContext);
    RECT client{};
    GetClientRect(window, &client);
    if (gl.renderingContext == nullptr || !wglMakeCurrent(gl.deviceContext, gl.renderingContext)) {
        return;  // the window stays black; frames draw nothing
    }

    glViewport(client.left, client.top, client.right - client.left, client.bottom - client.top);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    SetUpCamera(client, scene ? scene->view : View::Side);
    CompileParticleShape();
    SetUpLightAndMaterial();
    gl.scene = std::move(scene);
}

void TearDownScene(GlScene& gl, HWND window) {
    gl.scene.reset();
    ReleaseDC(window, gl.deviceContext);
    wglMakeCurrent(nullptr, nullptr);
    if (gl.renderingContext != nullptr) {
        wglDeleteContext(gl.renderingContext);
    }
    gl.deviceContext = nullptr;
    gl.renderingContext = nullptr;
}

void DrawFrame(GlScene& gl) {
    if (!gl.Ready()) {
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.scene->AdvanceFrame(DrawParticle);
    wglSwapLayerBuffers(gl.deviceContext, WGL_SWAP_MAIN_PLANE);
}

void DrawParticle(const ParticleDraw& particle) {
    glColor3f(particle.rgb.red, particle.rgb.green, particle.rgb.blue);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(particle.position.x, particle.position.y, particle.position.z);
    glRotatef(particle.tiltAngle, particle.tiltAxis.x, particle.tiltAxis.y, particle.tiltAxis.z);
    glRotatef(particle.orbitAngle, 0.0f, 1.0f, 0.0f);
    glTranslatef(particle.orbitRadius, 0.0f, 0.0f);
    glCallList(ParticleShapeList);
    glPopMatrix();
}

}  // namespace nuvrel
