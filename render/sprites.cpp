#include "render/sprites.h"

#include "game/game_state.h"
#include "render/scene.h"

#include <GL/glew.h>

namespace {

GLint uniform(const char* name) { return glGetUniformLocation(renderingProgram, name); }

GLsizei vertexCount(const Entity& entity) { return static_cast<GLsizei>(entity.vertices.size() / 3); }

GLsizeiptr byteSize(const std::vector<float>& floats) {
    return static_cast<GLsizeiptr>(floats.size() * sizeof(float));
}

} // namespace

void setChoice(int choice) { glUniform1i(uniform("choice"), choice); }

void drawEntity(const Entity& entity) {
    glUniformMatrix4fv(uniform("mMat"), 1, GL_FALSE, entity.getModel().data());
    glUniform1i(uniform("samp"), entity.textureUnit);
    uploadQuad(entity);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, vertexCount(entity));
}

void uploadQuad(const Entity& entity) {
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[0]);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[1]);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[0]);
    glBufferData(GL_ARRAY_BUFFER, byteSize(entity.vertices), entity.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[1]);
    glBufferData(GL_ARRAY_BUFFER, byteSize(entity.texCoords), entity.texCoords.data(), GL_STATIC_DRAW);
}

void drawTrap() {
    const Trap& trap = *theTrap;
    const GLint choice = uniform("choice");
    if (trap.flag == 0) {
        glUniform1i(choice, ChoiceKeyTrap);
    } else if (trap.flag == 1) {
        glUniform1i(choice, ChoiceSelfTrap);
    }
    glUniformMatrix4fv(uniform("mMat"), 1, GL_FALSE, trap.getModel().data());
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[0]);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[0]);
    glBufferData(GL_ARRAY_BUFFER, byteSize(trap.vertices), trap.vertices.data(), GL_STATIC_DRAW);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, vertexCount(trap));
    glUniform1i(choice, ChoiceTextured);
    if (trap.projectile) {
        drawEntity(*trap.projectile);
    }
}
