#include "render/glExt.h"

#include "render/gl_api.h"

bool ExtensionListed(std::string_view extensions, std::string_view name) {
  if (name.empty() || name.find(' ') != std::string_view::npos) return false;
  // A name may also occur as the prefix of a longer one ("GL_EXT_texture" inside
  // "GL_EXT_texture3D"): only a whole word counts, so keep searching past such hits.
  for (std::size_t at = extensions.find(name); at != std::string_view::npos;
       at = extensions.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    const bool startsWord = at == 0 || extensions[at - 1] == ' ';
    const bool endsWord = end == extensions.size() || extensions[end] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool ExtensionSupported(std::string_view name) {
  const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return list != nullptr && ExtensionListed(list, name);
}
