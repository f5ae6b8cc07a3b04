#pragma once
// The texture browser: every bitmap below the world texture directory as a thumbnail
// with its name and size, the ones the room uses marked with their use count, a filter
// and a sort by name or by use. One catalogue per window holds the entries and their
// thumbnails; the View > Textures dock and the dialogs' texture picker each show it.
//
// Thumbnails are made on a worker thread (core/thumbnails.h: the one bitmap reader, plain
// pixel buffers, cached on disk); they become pictures here, on the window's thread. A
// texture still coming, missing or unreadable shows a placeholder that says so.

#include <QAbstractListModel>
#include <QDialog>
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/thumbnails.h"
#include "ui/view_dock.h"

class QComboBox;
class QLineEdit;
class QListView;
class TFormMain;
class TRoom;

class TextureCatalogue : public QAbstractListModel {
  Q_OBJECT

public:
  static constexpr int ThumbnailSide = 64;
  enum Role { NameRole = Qt::UserRole + 1, UsesRole, ProblemRole, ReadyRole };

  explicit TextureCatalogue(QObject* parent = nullptr);
  ~TextureCatalogue() override;

  // Lists the bitmaps below worldHostDir/textures (names as surfaces spell them,
  // "textures\sub\name") and asks the worker for their thumbnails.
  void Scan(const std::string& worldHostDir, ThumbnailCache cache = ThumbnailCache(ThumbnailCache::DefaultDirectory()));
  // The named bitmaps below rootHostDir ("world\sky\dusk_front": the game's texture
  // list), in that order.
  void ScanNames(const std::string& rootHostDir, const std::vector<std::string>& names,
                 ThumbnailCache cache = ThumbnailCache(ThumbnailCache::DefaultDirectory()));
  bool Scanned() const { return scanned_; }
  // The room's use of each texture; a name it uses that has no file is listed as missing.
  void CountUses(const TRoom& room);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Row of the texture of that name (any letter case), or -1.
  int RowOf(const std::string& name) const;
  // Thumbnails asked and not yet here.
  int Pending() const { return pending_; }

signals:
  // Thumbnails arrived (after dataChanged).
  void thumbnailsArrived(int count);

private:
  struct Entry {
    std::uint64_t id = 0;  // what the worker's results name
    std::string name;
    std::filesystem::path file;  // empty for a name the room uses that has no file
    int uses = 0;
    bool ready = false;
    int width = 0;
    int height = 0;
    std::string problem;
    QPixmap thumbnail;  // the picture at ThumbnailSide, without marks
    QPixmap shown;      // with the use mark, or the placeholder
  };
  void Start(std::vector<std::pair<std::string, std::filesystem::path>> found, ThumbnailCache cache);
  void Arrived();
  // The thumbnails waiting, into the entries; how many.
  int TakeResults();
  void Compose(Entry& entry);
  static std::string Key(std::string_view name);

  std::string worldHostDir_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> rows_;  // by Key
  std::unique_ptr<ThumbnailWorker> worker_;
  std::uint64_t nextId_ = 1;
  int pending_ = 0;
  bool scanned_ = false;
  QTimer cooldown_;
};

// Filter by name, sorted by name or by use (most used first).
class TextureFilter : public QSortFilterProxyModel {
public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void SetByUse(bool byUse);

protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
  bool byUse_ = false;
};

// The grid with its filter and sort: "chosen" on a double-click or Return.
class TextureBrowser : public QWidget {
  Q_OBJECT

public:
  TextureBrowser(TextureCatalogue& catalogue, QWidget* parent = nullptr);

  // The name under the current item, empty when none.
  std::string CurrentName() const;
  void Select(const std::string& name);
  QLineEdit* Filter() const { return filter_; }
  QListView* List() const { return list_; }

signals:
  void chosen(const QString& name);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TextureCatalogue& catalogue_;
  TextureFilter* proxy_;
  QLineEdit* filter_;
  QComboBox* sort_;
  QListView* list_;
};

// View > Textures. A double-click gives the selected surfaces that texture.
class TexturesDock : public ViewDock {
  Q_OBJECT

public:
  TexturesDock(TFormMain& main, TextureCatalogue& catalogue);
  TextureBrowser& Browser() const { return *browser_; }

private:
  TextureBrowser* browser_;
};

// The surface dialog's texture button: the browser as a modal picker. "Other File..."
// still reaches a bitmap anywhere, through `fromFile`.
class TexturePicker : public QDialog {
  Q_OBJECT

public:
  TexturePicker(TextureCatalogue& catalogue, const std::string& current,
                std::function<std::optional<std::string>()> fromFile, QWidget* parent = nullptr);
  const std::string& Chosen() const { return chosen_; }

private:
  void Choose(const std::string& name);

  TextureBrowser* browser_;
  std::string chosen_;
};
