#pragma once
// The one place the renderer includes GL: the 1.x API with GLU and the ARB tokens.
// Extension entry points are never linked; they are fetched by name (glExt.h).

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
