#include "render/shader_loader.h"

#include "files/console_line.h"
#include "files/data_file.h"

#include <memory>
#include <string_view>

namespace {

// Prints one line for each pending GL error code.
void drainGlErrors() {
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        sayLine(stdout, "glError: " + std::to_string(code));
    }
}

const char* shaderTypeName(GLenum shaderType) {
    switch (shaderType) {
    case GL_FRAGMENT_SHADER: return "Fragment Shader";
    case GL_VERTEX_SHADER: return "Vertex Shader";
    default: return "";
    }
}

// Prints the label followed by the log GL keeps for a shader or a program,
// if it keeps one. getParameter and getLog are the shader or program calls.
template <class GetParameter, class GetLog>
void printInfoLog(const char* label, GLuint object, GetParameter getParameter, GetLog getLog) {
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    if (length > 0) {
        auto log = std::make_unique<char[]>(static_cast<size_t>(length));
        GLsizei written = 0;
        getLog(object, length, &written, log.get());
        sayLine(stdout, label + std::string(log.get()));
    }
}

// Our shaders are written for OpenGL 4.3. OpenGL ES 3.0 (WebGL 2) takes the
// same GLSL under its own version line, given the precision of its floats.
std::string forThisGl(const std::string& source) {
#ifdef __EMSCRIPTEN__
    constexpr std::string_view desktop = "#version 430 core";
    if (source.starts_with(desktop)) {
        return "#version 300 es\nprecision highp float;" + source.substr(desktop.size());
    }
#endif
    return source;
}

} // namespace

std::string readShaderSource(const char* path) {
    // Line by line, each line ended by a line feed: that is the whole text with
    // one line feed added (after a final line feed, an empty last line).
    const std::optional<std::string> text = readDataFile(path, maxShaderBytes);
    return text ? *text + '\n' : std::string();
}

GLuint compileShader(const char* path, GLenum shaderType) {
    return compileShaderText(readShaderSource(path), shaderType);
}

namespace {

GLuint startShaderText(const std::string& source, GLenum shaderType) {
    GLuint shader = glCreateShader(shaderType);
    const std::string built = forThisGl(source);
    const char* text = built.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

} // namespace

GLuint compileShaderText(const std::string& source, GLenum shaderType) {
    const GLuint shader = startShaderText(source, shaderType);
    checkShaderCompile(shader, shaderType);
    return shader;
}

GLuint startShader(const char* path, GLenum shaderType) {
    return startShaderText(readShaderSource(path), shaderType);
}

void checkShaderCompile(GLuint shader, GLenum shaderType) {
    drainGlErrors();
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) {
        return;
    }
    sayLine(stdout, shaderTypeName(shaderType) + std::string(" compilation failed"));
    printInfoLog("Shader Info Log:", shader, glGetShaderiv, glGetShaderInfoLog);
}

GLuint linkProgram(GLuint vertexShader, GLuint fragmentShader) {
    const GLuint program = startProgram(vertexShader, fragmentShader);
    checkProgramLink(program);
    return program;
}

GLuint startProgram(GLuint vertexShader, GLuint fragmentShader) {
    GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    return program;
}

void checkProgramLink(GLuint program) {
    drainGlErrors();
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        sayLine(stdout, "linking failed");
        printInfoLog("Program Info Log:", program, glGetProgramiv, glGetProgramInfoLog);
    }
}
