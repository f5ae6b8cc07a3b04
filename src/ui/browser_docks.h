#pragma once
// What the main window keeps of its browsers: the texture catalogue (shared by the
// Textures dock and the dialogs' picker), the model catalogue, their docks, each made
// when first shown, and the offscreen model renderer, made when first asked for a
// picture. Every raw pointer is a child of the main window.

#include <memory>

class TextureCatalogue;
class TexturesDock;
class ModelCatalogue;
class ModelsDock;
class ModelRenderer;

struct BrowserDocks {
  std::shared_ptr<ModelRenderer> renderer;  // shared_ptr: freed whole where it is complete
  TextureCatalogue* textures = nullptr;
  TexturesDock* texturesDock = nullptr;
  ModelCatalogue* models = nullptr;
  ModelsDock* modelsDock = nullptr;
};
