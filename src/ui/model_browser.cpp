#include "ui/model_browser.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>
#include <map>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "models/edit_model.h"
#include "room/edit_room.h"
#include "room/entity_palette.h"
#include "ui/edit_main.h"
#include "ui/filter_box.h"
#include "ui/thumbnail_tile.h"
#include "ui/qt_form.h"

#ifdef BRANNOCK_HAS_RENDER
#include "render/model_snapshot.h"
#endif

namespace {

// Thumbnail time per turn of the event loop: the view keeps its frames meanwhile.
constexpr int SliceMilliseconds = 8;

const char* const GroupNames[] = {"Tiles", "Sequences", "Units", "Portals", "Particles"};

}  // namespace

// ---------------------------------------------------------------------------------------

ModelRenderer::ModelRenderer(QOpenGLContext& view, TEditGL& gl, std::function<void()> backToView)
    : gl_(gl), backToView_(std::move(backToView)) {
  context_ = std::make_unique<QOpenGLContext>();
  context_->setFormat(view.format());
  context_->setShareContext(&view);
  surface_ = std::make_unique<QOffscreenSurface>();
  surface_->setFormat(view.format());
  surface_->create();
  valid_ = context_->create() && context_->shareContext() == &view && surface_->isValid();
}

ModelRenderer::~ModelRenderer() {
  if (valid_ && context_->makeCurrent(surface_.get())) {
    framebuffer_.reset();
    context_->doneCurrent();
  }
  if (backToView_) backToView_();
}

QImage ModelRenderer::Render(std::int16_t slot, float turn, std::int16_t animation, float frame, QSize size) {
#ifdef BRANNOCK_HAS_RENDER
  if (!valid_ || size.isEmpty() || !context_->makeCurrent(surface_.get())) return {};
  if (!framebuffer_ || framebuffer_->size() != size) {
    framebuffer_.reset();
    framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::Depth);
  }
  QImage picture;
  if (framebuffer_->isValid() && framebuffer_->bind()) {
    DrawModelSnapshot(gl_, {slot, turn, animation, frame, size.width(), size.height()});
    picture = framebuffer_->toImage().convertToFormat(QImage::Format_RGB888);
    framebuffer_->release();
  }
  context_->doneCurrent();
  if (backToView_) backToView_();
  return picture;
#else
  (void)slot, (void)turn, (void)animation, (void)frame, (void)size;
  return {};
#endif
}

// ---------------------------------------------------------------------------------------

ModelCatalogue::ModelCatalogue(TFormMain& main, Picture picture, QObject* parent)
    : QAbstractListModel(parent), main_(main), picture_(std::move(picture)),
      cache_(ThumbnailCache::DefaultDirectory()) {
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &ModelCatalogue::RenderSome);
}

std::vector<std::string> ModelCatalogue::Names() const {
  std::vector<std::string> names;
  if (const TQZEngine* engine = main_.Engine()) {
    const TModelEngine& models = *engine->ModelEngine;
    for (std::int16_t slot = 1; slot <= models.Count && slot <= TModelEngine::SlotCount; ++slot)
      names.push_back(models.GetModel(slot)->DisplayName.str());
  }
  return names;
}

void ModelCatalogue::Follow() {
  if (Names() != names_) Refresh();
  else CountUses();
}

void ModelCatalogue::Refresh() {
  TQZEngine* engine = main_.Engine();
  names_ = Names();
  beginResetModel();
  entries_.clear();
  if (engine) {
    std::map<std::string, PalettePlace> places;
    for (PalettePlace& place : PalettePlaces(*engine, QtForm(main_)))
      if (!place.model.empty() && !places.contains(place.model)) places.emplace(place.model, place);
    TModelEngine& models = *engine->ModelEngine;
    for (std::int16_t slot = 1; slot <= models.Count && slot <= TModelEngine::SlotCount; ++slot) {
      const TVEModel* model = models.GetModel(slot);
      if (!model || model->DisplayName.empty()) continue;
      Entry entry;
      entry.slot = slot;
      entry.name = model->DisplayName.str();
      entry.file = fs_layer::ToHostPath(engine->ModelDir.str() + model->ModelName.str() + ".ms3d");
      if (const auto place = places.find(entry.name); place != places.end()) {
        entry.group = place->second.group;
        entry.item = place->second.item;
      }
      if (!model->Loaded) {
        entry.ready = true;
        entry.problem = "cannot be read";
      }
      Compose(entry);
      entries_.push_back(std::move(entry));
    }
  }
  endResetModel();
  CountUses();
  next_ = 0;
  rendered_ = fromCache_ = 0;
  timer_.start();
}

void ModelCatalogue::CountUses() {
  TQZEngine* engine = main_.Engine();
  if (!engine) return;
  std::map<std::string, int> uses;
  for (const auto& entity : engine->Room->Entities)
    if (entity->InUse()) ++uses[entity->ModelName.str()];
  for (std::size_t row = 0; row < entries_.size(); ++row) {
    Entry& entry = entries_[row];
    const auto found = uses.find(entry.name);
    const int count = found == uses.end() ? 0 : found->second;
    if (count == entry.uses) continue;
    entry.uses = count;
    Compose(entry);
    const QModelIndex index = this->index(static_cast<int>(row));
    emit dataChanged(index, index);
  }
}

int ModelCatalogue::Pending() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.ready; }));
}

void ModelCatalogue::RenderSome() {
  QElapsedTimer clock;
  clock.start();
  TQZEngine* engine = main_.Engine();
  while (next_ < entries_.size() && clock.elapsed() < SliceMilliseconds) {
    Entry& entry = entries_[next_++];
    if (entry.ready || !engine) continue;
    const TVEModel* model = engine->ModelEngine->GetModel(entry.slot);
    // The skin is part of what the picture shows.
    const std::string skin = fs_layer::ToHostPath(engine->ModelDir.str() + (model ? model->ModelName.str() : "") + ".bmp");
    const std::string key = ThumbnailCache::Key(entry.file, ThumbnailSide, entry.name + '\n' + ThumbnailCache::Key(skin, 0));
    std::optional<TThumbnail> thumbnail = cache_.Load(key);
    if (thumbnail) {
      ++fromCache_;
    } else {
      const QImage picture = picture_ ? picture_(entry.slot, {ThumbnailSide, ThumbnailSide}) : QImage();
      thumbnail.emplace();
      if (picture.isNull()) {
        thumbnail->problem = "no view to draw with";
      } else {
        thumbnail->width = thumbnail->sourceWidth = picture.width();
        thumbnail->height = thumbnail->sourceHeight = picture.height();
        const auto rowBytes = static_cast<std::size_t>(picture.width()) * 3;
        thumbnail->rgb.resize(rowBytes * static_cast<std::size_t>(picture.height()));
        for (int y = 0; y < picture.height(); ++y)
          std::copy_n(picture.constScanLine(y), rowBytes, &thumbnail->rgb[static_cast<std::size_t>(y) * rowBytes]);
        cache_.Store(key, *thumbnail);
      }
      ++rendered_;
    }
    entry.ready = true;
    entry.problem = thumbnail->problem;
    if (thumbnail->Readable() && thumbnail->width > 0) {
      const QImage image(thumbnail->rgb.data(), thumbnail->width, thumbnail->height, thumbnail->width * 3,
                         QImage::Format_RGB888);
      entry.thumbnail = QPixmap::fromImage(image.copy());
    }
    Compose(entry);
    const QModelIndex index = this->index(static_cast<int>(next_ - 1));
    emit dataChanged(index, index);
  }
  if (next_ >= entries_.size()) {
    timer_.stop();
    emit thumbnailsDone();
  }
}

void ModelCatalogue::Compose(Entry& entry) {
  const bool drawn = entry.ready && entry.problem.empty();
  entry.shown = ComposeTile({drawn ? entry.thumbnail : QPixmap(), QColor(59, 64, 71),
                             entry.ready ? QStringLiteral("model ") + QString::fromStdString(entry.problem)
                                         : QStringLiteral("drawing…"),
                             entry.ready, entry.uses},
                            ThumbnailSide);
}

int ModelCatalogue::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant ModelCatalogue::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(entries_.size())) return {};
  const Entry& entry = entries_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(entry.name) + (entry.uses > 0 ? QStringLiteral("\nused %1×").arg(entry.uses) : QString());
    case Qt::DecorationRole: return entry.shown;
    case Qt::ToolTipRole: {
      QString tip = QString::fromStdString(entry.name);
      if (entry.group >= 0)
        tip += QStringLiteral("\nplaced from the %1 list").arg(QString::fromLatin1(GroupNames[entry.group]));
      else
        tip += QStringLiteral("\nno list of the Entities sheet places it");
      if (!entry.problem.empty()) tip += QStringLiteral("\n") + QString::fromStdString(entry.problem);
      if (entry.uses > 0) tip += QStringLiteral("\nused by %1 entities of this room").arg(entry.uses);
      return tip;
    }
    case NameRole: return QString::fromStdString(entry.name);
    case SlotRole: return entry.slot;
    case GroupRole: return entry.group;
    case ItemRole: return entry.item;
    case UsesRole: return entry.uses;
    case ReadyRole: return entry.ready;
    case ProblemRole: return QString::fromStdString(entry.problem);
    default: return {};
  }
}

// ---------------------------------------------------------------------------------------

ModelsDock::ModelsDock(TFormMain& main, ModelCatalogue& catalogue)
    : ViewDock(QStringLiteral("Models"), &main), main_(main), catalogue_(catalogue) {
  setObjectName(QStringLiteral("DockModels"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  filter_ = MakeFilterBox(body, "EditModelFilter", QStringLiteral("Filter by name"));
  layout->addWidget(filter_);
  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setSourceModel(&catalogue);
  proxy_->setFilterRole(ModelCatalogue::NameRole);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  list_ = MakeThumbnailGrid(body, proxy_, "ListModels", ModelCatalogue::ThumbnailSide, 56);
  list_->setToolTip(QStringLiteral("Pick a model: New Entity then places it"));
  layout->addWidget(list_);
  body->setMinimumWidth(list_->gridSize().width() * 3 + 40);
  setWidget(body);
  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
  connect(list_, &QAbstractItemView::clicked, this, &ModelsDock::Pick);
  connect(list_, &QAbstractItemView::activated, this, &ModelsDock::Pick);
}

void ModelsDock::Pick(const QModelIndex& index) {
  TQZEngine* engine = main_.Engine();
  if (!index.isValid() || !engine) return;
  const int group = index.data(ModelCatalogue::GroupRole).toInt();
  const int item = index.data(ModelCatalogue::ItemRole).toInt();
  if (group < 0) {
    engine->GetHost().SetStatusText(TRoom::MessageStatusPanel,
                                    index.data(ModelCatalogue::NameRole).toString().toStdString() +
                                        ": no list of the Entities sheet places this model");
    return;
  }
  // The typus list and the item, as a designer would pick them; then New Entity.
  QtForm form(main_);
  engine->Room->SelectEntityPalette(group);
  form.SetItemIndex(EntityPaletteLists[static_cast<std::size_t>(group)], item);
  form.SetActivePage("PageControl", "TabSheetEntities");
  if (auto* newEntity = main_.findChild<QAbstractButton*>(QStringLiteral("BtnEntityNew"))) newEntity->click();
}

void ModelsDock::Shown() { catalogue_.CountUses(); }

// ---------------------------------------------------------------------------------------

ModelPreview::ModelPreview(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("LabelModelPreview"));
  setFixedSize(72, 80);
  setAlignment(Qt::AlignCenter);
  setFrameShape(QFrame::StyledPanel);
  setToolTip(QStringLiteral("The model the selected item places"));
  // About 20 pictures a second, a turn in 9 seconds.
  timer_.setInterval(50);
  connect(&timer_, &QTimer::timeout, this, &ModelPreview::Step);
}

void ModelPreview::Attach(Source source, Picture picture, Animations animations) {
  source_ = std::move(source);
  picture_ = std::move(picture);
  animations_ = std::move(animations);
  if (isVisible()) timer_.start();
}

void ModelPreview::showEvent(QShowEvent* event) {
  QLabel::showEvent(event);
  if (source_) timer_.start();
}

void ModelPreview::hideEvent(QHideEvent* event) {
  QLabel::hideEvent(event);
  timer_.stop();
}

void ModelPreview::Step() {
  if (!source_ || !picture_) return;
  const std::int16_t slot = source_();
  if (slot != shown_) {
    shown_ = slot;
    turn_ = 30.0f;
    frame_ = 1.0f;
  }
  if (slot <= 0) {
    setPixmap({});
    setText(QStringLiteral("no model"));
    return;
  }
  const auto [animation, lastFrame] = animations_ ? animations_(slot) : std::pair<std::int16_t, float>{-1, 0.0f};
  const QImage picture = picture_(slot, turn_, animation, frame_, size() * devicePixelRatioF());
  if (picture.isNull()) return;
  QPixmap pixmap = QPixmap::fromImage(picture);
  pixmap.setDevicePixelRatio(devicePixelRatioF());
  setPixmap(pixmap);
  ++pictures_;
  turn_ = std::fmod(turn_ + 2.0f, 360.0f);
  if (animation >= 0 && lastFrame > 1.0f) {
    frame_ += 1.0f;
    if (frame_ > lastFrame) frame_ = 1.0f;
  }
}
