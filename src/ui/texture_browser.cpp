#include "ui/texture_browser.h"

#include <QComboBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "core/file_system.h"
#include "room/edit_room.h"
#include "surfaces/surface_main.h"
#include "ui/edit_main.h"
#include "ui/filter_box.h"
#include "ui/thumbnail_tile.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* TexturesFolder = "textures";

// "textures\stone\wall" from the file below the world directory.
std::string NameOf(const fs::path& relative) {
  std::string name = relative.generic_string();
  if (name.size() > 4) name.resize(name.size() - 4);
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool IsBitmap(const fs::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension == ".bmp";
}

// What the grid writes under a thumbnail: the name below "textures\".
QString ShortName(const std::string& name) {
  const std::string prefix = std::string(TexturesFolder) + "\\";
  const bool below = name.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                     });
  return QString::fromStdString(below ? name.substr(prefix.size()) : name);
}

QString SizeText(int width, int height) { return QStringLiteral("%1 × %2").arg(width).arg(height); }

}  // namespace

// ---------------------------------------------------------------------------------------

TextureCatalogue::TextureCatalogue(QObject* parent) : QAbstractListModel(parent) {
  // Every repaint of the window composes the view again, which costs a software
  // rasteriser dearly: after a batch of thumbnails the next waits a quarter second.
  cooldown_.setSingleShot(true);
  cooldown_.setInterval(250);
  connect(&cooldown_, &QTimer::timeout, this, [this] {
    if (TakeResults() > 0) cooldown_.start();
  });
}

void TextureCatalogue::Arrived() {
  if (cooldown_.isActive()) return;
  if (TakeResults() > 0) cooldown_.start();
}

// The worker stops before anything it might call back into goes.
TextureCatalogue::~TextureCatalogue() { worker_.reset(); }

std::string TextureCatalogue::Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

void TextureCatalogue::Scan(const std::string& worldHostDir, ThumbnailCache cache) {
  worldHostDir_ = worldHostDir;
  std::vector<std::pair<std::string, fs::path>> found;
  std::error_code error;
  const fs::path world(worldHostDir);
  for (fs::recursive_directory_iterator it(world / TexturesFolder, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error) || !IsBitmap(it->path())) continue;
    found.emplace_back(NameOf(fs::relative(it->path(), world, error)), it->path());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return Key(a.first) < Key(b.first); });
  Start(std::move(found), std::move(cache));
}

void TextureCatalogue::ScanNames(const std::string& rootHostDir, const std::vector<std::string>& names,
                                 ThumbnailCache cache) {
  worldHostDir_ = rootHostDir;
  std::vector<std::pair<std::string, fs::path>> found;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    std::string relative = name + ".bmp";
    std::replace(relative.begin(), relative.end(), '\\', '/');
    // Found as the game finds it, in any letter case.
    found.emplace_back(name, fs_layer::ToHostPath((fs::path(rootHostDir) / relative).string()));
  }
  Start(std::move(found), std::move(cache));
}

void TextureCatalogue::Start(std::vector<std::pair<std::string, fs::path>> found, ThumbnailCache cache) {
  beginResetModel();
  entries_.clear();
  rows_.clear();
  for (auto& [name, file] : found) {
    if (rows_.contains(Key(name))) continue;
    rows_[Key(name)] = entries_.size();
    Entry entry;
    entry.id = nextId_++;
    entry.name = std::move(name);
    entry.file = std::move(file);
    Compose(entry);
    entries_.push_back(std::move(entry));
  }
  endResetModel();
  scanned_ = true;

  worker_ = std::make_unique<ThumbnailWorker>(std::move(cache), ThumbnailSide, [this] {
    // On the worker thread: only a call queued to the window's thread.
    QMetaObject::invokeMethod(this, &TextureCatalogue::Arrived, Qt::QueuedConnection);
  });
  pending_ = static_cast<int>(entries_.size());
  for (const Entry& entry : entries_) worker_->Request(entry.id, entry.file);
}

void TextureCatalogue::CountUses(const TRoom& room) {
  std::unordered_map<std::string, std::pair<std::string, int>> used;
  for (int slot = 0; slot < static_cast<int>(room.Surfaces.size()); ++slot) {
    const TSurface& surface = *room.Surfaces[static_cast<std::size_t>(slot)];
    if (!surface.InUse()) continue;
    auto& [name, count] = used[Key(surface.textureName.view())];
    if (name.empty()) name = surface.textureName.str();
    ++count;
  }
  // Names without a file that the room no longer uses go.
  for (std::size_t row = entries_.size(); row-- > 0;) {
    if (entries_[row].file.empty() && !used.contains(Key(entries_[row].name))) {
      beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
      endRemoveRows();
    }
  }
  rows_.clear();
  for (std::size_t row = 0; row < entries_.size(); ++row) rows_[Key(entries_[row].name)] = row;
  for (std::size_t row = 0; row < entries_.size(); ++row) {
    Entry& entry = entries_[row];
    const auto it = used.find(Key(entry.name));
    const int uses = it == used.end() ? 0 : it->second.second;
    if (uses == entry.uses) continue;
    entry.uses = uses;
    Compose(entry);
    const QModelIndex index = this->index(static_cast<int>(row));
    emit dataChanged(index, index);
  }
  for (const auto& [key, use] : used) {
    if (rows_.contains(key) || use.first.empty()) continue;
    // A name outside the texture directory may still name a bitmap of the world.
    std::string relative = use.first + ".bmp";
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::error_code error;
    const fs::path file = fs::path(worldHostDir_) / relative;
    Entry entry;
    entry.id = nextId_++;
    entry.name = use.first;
    entry.uses = use.second;
    if (worker_ && !worldHostDir_.empty() && fs::is_regular_file(file, error)) {
      entry.file = file;
    } else {
      entry.ready = true;
      entry.problem = "file not found";
    }
    Compose(entry);
    const std::size_t row = entries_.size();
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
    rows_[key] = row;
    entries_.push_back(std::move(entry));
    endInsertRows();
    if (!entries_[row].ready) {
      ++pending_;
      worker_->Request(entries_[row].id, entries_[row].file);
    }
  }
}

int TextureCatalogue::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant TextureCatalogue::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(entries_.size())) return {};
  const Entry& entry = entries_[static_cast<std::size_t>(index.row())];
  const QString uses = entry.uses > 0 ? QStringLiteral("\nused %1×").arg(entry.uses) : QString();
  QString state;
  if (!entry.ready) state = QStringLiteral("…");
  else if (!entry.problem.empty()) state = entry.file.empty() ? QStringLiteral("missing") : QStringLiteral("unreadable");
  else state = SizeText(entry.width, entry.height);
  switch (role) {
    case Qt::DisplayRole: return ShortName(entry.name) + QLatin1Char('\n') + state + uses;
    case Qt::DecorationRole: return entry.shown;
    case Qt::ToolTipRole: {
      QString tip = QString::fromStdString(entry.name);
      if (entry.ready && entry.problem.empty()) tip += QStringLiteral("\n") + SizeText(entry.width, entry.height);
      if (!entry.problem.empty()) tip += QStringLiteral("\n") + state + QStringLiteral(": ") + QString::fromStdString(entry.problem);
      if (entry.uses > 0) tip += QStringLiteral("\nused by %1 surface%2 of this room").arg(entry.uses).arg(entry.uses == 1 ? "" : "s");
      return tip;
    }
    case NameRole: return QString::fromStdString(entry.name);
    case UsesRole: return entry.uses;
    case ProblemRole: return QString::fromStdString(entry.problem);
    case ReadyRole: return entry.ready;
    default: return {};
  }
}

int TextureCatalogue::RowOf(const std::string& name) const {
  const auto it = rows_.find(Key(name));
  return it == rows_.end() ? -1 : static_cast<int>(it->second);
}

int TextureCatalogue::TakeResults() {
  if (!worker_) return 0;
  int arrived = 0;
  for (ThumbnailWorker::Result& result : worker_->TakeResults()) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == result.id; });
    if (found == entries_.end()) continue;
    const auto row = static_cast<std::size_t>(found - entries_.begin());
    Entry& entry = entries_[row];
    const TThumbnail& thumbnail = result.thumbnail;
    entry.ready = true;
    entry.problem = thumbnail.problem;
    entry.width = thumbnail.sourceWidth;
    entry.height = thumbnail.sourceHeight;
    if (thumbnail.Readable() && thumbnail.width > 0 && thumbnail.height > 0) {
      // The worker's plain pixels become a picture here, on the window's thread.
      const QImage image(thumbnail.rgb.data(), thumbnail.width, thumbnail.height, thumbnail.width * 3,
                         QImage::Format_RGB888);
      // Small textures grow with hard edges, as they tile in the view.
      entry.thumbnail = QPixmap::fromImage(
          image.scaled(ThumbnailSide, ThumbnailSide, Qt::KeepAspectRatio,
                       std::max(thumbnail.width, thumbnail.height) < ThumbnailSide ? Qt::FastTransformation
                                                                                   : Qt::SmoothTransformation));
    }
    Compose(entry);
    --pending_;
    ++arrived;
    const QModelIndex index = this->index(static_cast<int>(row));
    emit dataChanged(index, index);
  }
  if (arrived > 0) emit thumbnailsArrived(arrived);
  return arrived;
}

void TextureCatalogue::Compose(Entry& entry) {
  // The placeholder says why there is no picture.
  QString why = QStringLiteral("loading…");
  if (entry.ready) {
    why = (entry.file.empty() ? QStringLiteral("missing:\n") : QStringLiteral("unreadable:\n")) +
          QString::fromStdString(entry.problem);
  }
  const bool read = entry.ready && entry.problem.empty();
  entry.shown = ComposeTile({read ? entry.thumbnail : QPixmap(), QColor(40, 40, 40), why, entry.ready, entry.uses},
                            ThumbnailSide);
}

// ---------------------------------------------------------------------------------------

void TextureFilter::SetByUse(bool byUse) {
  byUse_ = byUse;
  invalidate();
  sort(0);
}

bool TextureFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  if (byUse_) {
    const int a = left.data(TextureCatalogue::UsesRole).toInt(), b = right.data(TextureCatalogue::UsesRole).toInt();
    if (a != b) return a > b;
  }
  return left.data(TextureCatalogue::NameRole).toString().compare(right.data(TextureCatalogue::NameRole).toString(),
                                                                  Qt::CaseInsensitive) < 0;
}

TextureBrowser::TextureBrowser(TextureCatalogue& catalogue, QWidget* parent) : QWidget(parent), catalogue_(catalogue) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* top = new QHBoxLayout;
  filter_ = MakeFilterBox(this, "EditTextureFilter", QStringLiteral("Filter by name"));
  sort_ = new QComboBox(this);
  sort_->setObjectName(QStringLiteral("CBTextureSort"));
  sort_->addItems({QStringLiteral("By name"), QStringLiteral("By use")});
  top->addWidget(filter_, 1);
  top->addWidget(sort_);
  layout->addLayout(top);

  proxy_ = new TextureFilter(this);
  proxy_->setSourceModel(&catalogue);
  proxy_->setFilterRole(TextureCatalogue::NameRole);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  proxy_->setDynamicSortFilter(true);
  proxy_->sort(0);
  list_ = MakeThumbnailGrid(this, proxy_, "ListTextures", TextureCatalogue::ThumbnailSide, 40);
  list_->installEventFilter(this);
  layout->addWidget(list_);
  // Three thumbnails side by side at least.
  setMinimumWidth(list_->gridSize().width() * 3 + 40);

  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
  connect(sort_, &QComboBox::currentIndexChanged, this, [this](int index) { proxy_->SetByUse(index == 1); });
  connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit chosen(index.data(TextureCatalogue::NameRole).toString());
  });
}

std::string TextureBrowser::CurrentName() const {
  const QModelIndex current = list_->currentIndex();
  return current.isValid() ? current.data(TextureCatalogue::NameRole).toString().toStdString() : std::string();
}

void TextureBrowser::Select(const std::string& name) {
  const int row = catalogue_.RowOf(name);
  if (row < 0) return;
  const QModelIndex index = proxy_->mapFromSource(catalogue_.index(row));
  if (!index.isValid()) return;
  list_->setCurrentIndex(index);
  list_->scrollTo(index);
}

// Return on the current thumbnail chooses it, as a double-click does.
bool TextureBrowser::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentIndex().isValid()) {
      emit chosen(list_->currentIndex().data(TextureCatalogue::NameRole).toString());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------

TexturesDock::TexturesDock(TFormMain& main, TextureCatalogue& catalogue)
    : ViewDock(QStringLiteral("Textures"), &main) {
  setObjectName(QStringLiteral("DockTextures"));
  browser_ = new TextureBrowser(catalogue, this);
  browser_->setToolTip(QStringLiteral("Double-click a texture to give it to the selected surfaces"));
  setWidget(browser_);
  connect(browser_, &TextureBrowser::chosen, this, [&main](const QString& name) { main.AssignTexture(name.toStdString()); });
}

TexturePicker::TexturePicker(TextureCatalogue& catalogue, const std::string& current,
                             std::function<std::optional<std::string>()> fromFile, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FormTexturePicker"));
  setWindowTitle(QStringLiteral("Choose Texture"));
  auto* layout = new QVBoxLayout(this);
  browser_ = new TextureBrowser(catalogue, this);
  layout->addWidget(browser_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  if (fromFile) {
    QPushButton* other = buttons->addButton(QStringLiteral("Other File..."), QDialogButtonBox::ActionRole);
    other->setObjectName(QStringLiteral("BtnTextureFile"));
    connect(other, &QPushButton::clicked, this, [this, fromFile] {
      if (const auto name = fromFile()) Choose(*name);
    });
  }
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Choose(browser_->CurrentName()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browser_, &TextureBrowser::chosen, this, [this](const QString& name) { Choose(name.toStdString()); });
  resize(560, 480);
  browser_->Select(current);
}

void TexturePicker::Choose(const std::string& name) {
  if (name.empty()) return;
  chosen_ = name;
  accept();
}
