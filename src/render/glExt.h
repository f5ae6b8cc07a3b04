#pragma once
// Extension queries. Entry points are looked up by name through whatever the
// context's creator offers (EGL, the window toolkit), so nothing here links to them.

#include <functional>
#include <string_view>

// The context creator's procedure lookup; null when the name is unknown.
using GLProcLookup = std::function<void*(const char* name)>;

// Whether name appears as a whole blank-separated word of the extension list. An
// empty name, or one that contains a blank, never does.
bool ExtensionListed(std::string_view extensions, std::string_view name);

// The same against the current context's GL_EXTENSIONS.
bool ExtensionSupported(std::string_view name);
