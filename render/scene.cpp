#include "render/scene.h"

#include "entity/kinds.h"
#include "files/console_line.h"
#include "game/controls.h"
#include "render/pause_sign.h"
#include "render/shader_loader.h"
#include "render/sprites.h"
#include "render/texture_loader.h"
#include "render/viewport.h"

#include <GLFW/glfw3.h>

GLuint renderingProgram = 0;
GLuint vertexArray = 0;
GLuint vertexBuffers[2] = {0, 0};
Mat4 projectionMatrix;
Mat4 viewMatrix;

void activateTextureUnit(int unit) {
    glActiveTexture(unit >= 1 && unit <= 9 ? GL_TEXTURE0 + static_cast<GLenum>(unit) : GL_TEXTURE0);
}

Mat4 orthographicProjection(float aspect) {
    const float left = -1.0f, right = 1.0f, bottom = -1.0f / aspect, top = 1.0f / aspect;
    const float near = 0.01f, far = 1000.0f;
    Mat4 m;
    m[0][0] = 2.0f / (right - left);
    m[1][1] = 2.0f / (top - bottom);
    m[2][2] = 2.0f / (far - near);
    m[3][0] = -(right + left) / (right - left);
    m[3][1] = -(top + bottom) / (top - bottom);
    m[3][2] = -(far + near) / (far - near);
    m[3][3] = 1.0f;
    return m;
}

namespace {

bool sheetLeft[sheetCount] = {};

void loadSheet(int unit) {
    activateTextureUnit(unit);
    if (loadTexture(sheetFiles[unit]) == 0) {
        sayLine(stderr, std::string("could not load texture file ") + sheetFiles[unit]);
    }
    sheetLeft[unit] = false;
}

} // namespace

void loadSheetsLeft() {
    for (int unit = 0; unit < sheetCount; ++unit) {
        if (sheetLeft[unit]) {
            loadSheet(unit);
        }
    }
}

void initScene(GLFWwindow* window, Sheets sheets) {
    resetSpriteStream();
    resetPauseSign();
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(2, vertexBuffers);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[0]);

    // The program built as the sheets are read and decoded, and checked after,
    // each check as it would have come: a browser's GPU process builds it
    // meanwhile.
    const GLuint vertexShader = startShader("./shaders/vertShader.glsl", GL_VERTEX_SHADER);
    const GLuint fragmentShader = startShader("./shaders/fragShader.glsl", GL_FRAGMENT_SHADER);
    renderingProgram = startProgram(vertexShader, fragmentShader);

    for (int unit = 0; unit < sheetCount; ++unit) {
        sheetLeft[unit] = true;
        if (sheets == Sheets::All || unit == undeadSheetUnit) {
            loadSheet(unit);
        }
    }
    checkShaderCompile(vertexShader, GL_VERTEX_SHADER);
    checkShaderCompile(fragmentShader, GL_FRAGMENT_SHADER);
    checkProgramLink(renderingProgram);

    glUseProgram(renderingProgram);
    // The field's own shape, whatever the window's: it is letterboxed in any
    // window, and one the desktop sized before this point must not stretch it.
    projectionMatrix = orthographicProjection(fieldAspect);
    viewMatrix = lookAt(cameraEye, cameraTarget, cameraUp);
    glUniformMatrix4fv(glGetUniformLocation(renderingProgram, "pMat"), 1, GL_FALSE, projectionMatrix.data());
    glUniformMatrix4fv(glGetUniformLocation(renderingProgram, "vMat"), 1, GL_FALSE, viewMatrix.data());

    glfwSetKeyCallback(window, keyCallback);
}
