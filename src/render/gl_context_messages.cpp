#include "render/gl_context_messages.h"

GLContextMessage ContextFailureMessage(GLContextFailure failure) {
  switch (failure) {
    case GLContextFailure::DeviceContext:
      return {"Error", "Cant't create a GL device context.", true};
    case GLContextFailure::PixelFormatChoice:
      return {"Error", "Cant't Find A Suitable PixelFormat.", true};
    case GLContextFailure::PixelFormatSet:
      return {"Error", "Cant't set PixelFormat.", true};
    case GLContextFailure::RenderingContext:
      return {"Error", "Cant't create a GL rendering context.", true};
    case GLContextFailure::Activate:
      return {"Error", "Cant't activate the GL rendering context.", true};
    case GLContextFailure::ReleaseCurrent:
      return {" Shutdown Error", "Release of DC and RC failed.", false};
    case GLContextFailure::DeleteContext:
      return {" Shutdown Error", "Release of Rendering Context failed.", false};
  }
  return {"Error", "", true};
}
