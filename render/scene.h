// The render floor: shaders, sprite sheets, the scene and the drawing of
// sprites and of the field's place in the window. The only code besides app/
// that talks to GL; it may use game/, entity/ and files/.
//
// Scene setup: the GL state every frame relies on, made once at start-up and
// kept for the whole run: the vertex array, the two shared vertex buffers, the
// shader program, the five sprite sheets on units 0 to 4 and the camera.
#pragma once

#include "entity/transform.h"

#include "render/gl.h"

struct GLFWwindow;

extern GLuint renderingProgram;
extern GLuint vertexArray;
extern GLuint vertexBuffers[2]; // [0] vertex positions, [1] texture coordinates
extern Mat4 projectionMatrix;
extern Mat4 viewMatrix;

inline constexpr Vec3 cameraEye{0, 0, -1};
inline constexpr Vec3 cameraTarget{0, 0, -1000};
inline constexpr Vec3 cameraUp{0, 1, 0};

// The sprite sheets, in texture-unit order: the game's four, and the digits of a won game's sign.
inline constexpr int sheetCount = 5;
inline constexpr const char* sheetFiles[sheetCount] = {
    "./textures/tz_classm32.jpg", "./textures/tz_undead32.jpg", "./textures/tz_effects32.jpg",
    "./textures/explosion.jpg", "./textures/digits.png"};

// Needs the window's context current. Registers the keyboard last. The sheets
// are all loaded, or only the one the title screen shows (the undead sheet,
// where its Mascot is), the rest left to loadSheetsLeft(), before any game is
// drawn: a browser's first picture then comes sooner.
enum class Sheets { All, TitleFirst };
void initScene(GLFWwindow* window, Sheets sheets = Sheets::All);
// Loads the sheets initScene left for later, if it left any.
void loadSheetsLeft();

// Makes GL_TEXTURE0 + unit active for units 1 to 9; anything else selects unit 0.
void activateTextureUnit(int unit);

// Shows world x from -1 to 1 and y from -1/aspect to 1/aspect; larger view z lies farther.
Mat4 orthographicProjection(float aspect);
