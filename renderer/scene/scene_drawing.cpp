#include "renderer/scene/scene_drawing.h"

#include "renderer/scene/gl_headers.h"

namespace nuvrel {

namespace {

constexpr GLuint ParticleShapeList = 1;

constexpr double FieldOfViewDegrees = 80.0;
constexpr double NearPlane = 50.0;
constexpr double FarPlane = 3000.0;
constexpr GLfloat EyeDistance = 400.0f;

// A viewport of no height would divide by zero.
double AspectOf(const ViewportRect& viewport) {
    return viewport.height > 0 ? static_cast<double>(viewport.width) / viewport.height : 1.0;
}

// The eye is EyeDistance from the scene's origin, beside the vortex or above it.
void SetUpCamera(const ViewportRect& viewport, View view) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfViewDegrees, AspectOf(viewport), NearPlane, FarPlane);
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

void SetViewport(const ViewportRect& viewport) {
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
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

void SetUpDrawing(const ViewportRect& viewport, View view) {
    SetViewport(viewport);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    SetUpCamera(viewport, view);
    CompileParticleShape();
    SetUpLightAndMaterial();
}

void ResizeDrawing(const ViewportRect& viewport, View view) {
    SetViewport(viewport);
    SetUpCamera(viewport, view);
}

void DrawSceneFrame(VortexScene& scene) {
    ClearFrame();
    scene.AdvanceFrame(DrawParticle);
}

void ClearFrame() {
    // No scissor test is enabled, so this clears the whole window, outside the viewport too.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void DrawSceneIn(VortexScene& scene, const ViewportRect& viewport) {
    ResizeDrawing(viewport, scene.view);
    scene.AdvanceFrame(DrawParticle);
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

void TearDownDrawing() {
    glDeleteLists(ParticleShapeList, 1);
}

}  // namespace nuvrel
