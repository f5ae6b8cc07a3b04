#pragma once
// Models by sight. ModelRenderer draws one model of the catalogue offscreen - its own
// context shared with the view's (so the skins the view uploaded are there), a
// framebuffer object of its own - with the room renderer's model drawing, between the
// view's frames. The Models dock shows every model of the catalogue as a thumbnail (made
// a few at a time between frames, cached like the texture thumbnails) with a filter and
// the room's models marked; picking one selects the Entities sheet's list item that
// places it. ModelPreview turns the selected list item's model beside the lists.

#include <QAbstractListModel>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/thumbnails.h"
#include "ui/view_dock.h"

class QLineEdit;
class QListView;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class QSortFilterProxyModel;
class TEditGL;
class TFormMain;
class TQZEngine;
class Form;

class ModelRenderer {
public:
  // `backToView` makes the view's context current again after each picture.
  ModelRenderer(QOpenGLContext& view, TEditGL& gl, std::function<void()> backToView);
  ~ModelRenderer();
  bool Valid() const { return valid_; }
  // Null when the context could not be made.
  QImage Render(std::int16_t slot, float turn, std::int16_t animation, float frame, QSize size);

private:
  TEditGL& gl_;
  std::function<void()> backToView_;
  std::unique_ptr<QOpenGLContext> context_;
  std::unique_ptr<QOffscreenSurface> surface_;
  std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
  bool valid_ = false;
};

class ModelCatalogue : public QAbstractListModel {
  Q_OBJECT

public:
  static constexpr int ThumbnailSide = 64;
  enum Role { NameRole = Qt::UserRole + 1, SlotRole, GroupRole, ItemRole, UsesRole, ReadyRole, ProblemRole };
  using Picture = std::function<QImage(std::int16_t slot, QSize size)>;

  ModelCatalogue(TFormMain& main, Picture picture, QObject* parent = nullptr);

  // Reads the catalogue and the Entities sheet's lists again, and starts on the thumbnails.
  void Refresh();
  // The room's entities by model.
  void CountUses();
  // After a step or another room: Refresh when the catalogue changed (a room brings its
  // own tile models), else CountUses.
  void Follow();
  int Pending() const;
  // Thumbnails made and read from the cache since the last Refresh.
  int Rendered() const { return rendered_; }
  int FromCache() const { return fromCache_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

signals:
  void thumbnailsDone();

private:
  struct Entry {
    std::int16_t slot = 0;
    std::string name;
    std::string file;  // host path of the .ms3d
    int group = -1;    // the Entities sheet's list item that places it
    int item = -1;
    int uses = 0;
    bool ready = false;
    std::string problem;
    QPixmap thumbnail;
    QPixmap shown;
  };
  void RenderSome();
  void Compose(Entry& entry);
  // The catalogue's slots and names, to see whether it changed.
  std::vector<std::string> Names() const;

  TFormMain& main_;
  Picture picture_;
  ThumbnailCache cache_;
  std::vector<Entry> entries_;
  std::vector<std::string> names_;
  std::size_t next_ = 0;
  int rendered_ = 0;
  int fromCache_ = 0;
  QTimer timer_;
};

class ModelsDock : public ViewDock {
  Q_OBJECT

public:
  ModelsDock(TFormMain& main, ModelCatalogue& catalogue);
  QListView* List() const { return list_; }

private:
  void Shown() override;
  void Pick(const QModelIndex& index);

  TFormMain& main_;
  ModelCatalogue& catalogue_;
  QLineEdit* filter_;
  QSortFilterProxyModel* proxy_;
  QListView* list_;
};

// Beside the Entities sheet's lists: the selected item's model, turning slowly and
// animated where it has an animation. It draws only while it can be seen.
class ModelPreview : public QLabel {
  Q_OBJECT

public:
  // The slot of the selected item's model (-1: none) and a picture of it.
  using Source = std::function<std::int16_t()>;
  using Picture = std::function<QImage(std::int16_t slot, float turn, std::int16_t animation, float frame, QSize size)>;
  using Animations = std::function<std::pair<std::int16_t, float>(std::int16_t slot)>;  // first animation, its last frame

  explicit ModelPreview(QWidget* parent = nullptr);
  void Attach(Source source, Picture picture, Animations animations);
  std::int16_t ShownSlot() const { return shown_; }
  int Pictures() const { return pictures_; }

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void Step();

  Source source_;
  Picture picture_;
  Animations animations_;
  QTimer timer_;
  std::int16_t shown_ = -1;
  float turn_ = 30.0f;
  float frame_ = 1.0f;
  int pictures_ = 0;
};
