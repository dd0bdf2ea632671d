// Builds the one GL program the game draws with, from two GLSL files, and
// reports every problem on standard output without stopping start-up.
#pragma once

#include "render/gl.h"

#include <cstddef>
#include <string>

// Far above any real shader (ours are about a kilobyte): a larger file is not
// one of ours, and reading it would only hold start-up up and fill memory.
inline constexpr std::size_t maxShaderBytes = std::size_t{1} << 20; // 1 MiB

// The whole file, each line ended by "\n" (a final line feed adds an empty
// line). A file that cannot be read as a data file gives an empty text.
std::string readShaderSource(const char* path);

// Returns the shader object, compiled or not. In a browser, a shader written
// for OpenGL 4.3 ("#version 430 core") is built as an OpenGL ES 3.0 one.
GLuint compileShader(const char* path, GLenum shaderType);
// The same from the shader's text.
GLuint compileShaderText(const std::string& source, GLenum shaderType);

// Prints pending GL errors, and the failure line and log if compilation failed.
void checkShaderCompile(GLuint shader, GLenum shaderType);

// Returns the program object, linked or not.
GLuint linkProgram(GLuint vertexShader, GLuint fragmentShader);

// As compileShader and linkProgram, with nothing checked yet, so that the GL
// may build them while the caller goes on (a browser's GPU process does):
// checkShaderCompile and checkProgramLink, in that order, say later what
// went wrong, as the two would have said it.
GLuint startShader(const char* path, GLenum shaderType);
GLuint startProgram(GLuint vertexShader, GLuint fragmentShader);
// Prints pending GL errors, and the failure line and log if linking failed.
void checkProgramLink(GLuint program);
