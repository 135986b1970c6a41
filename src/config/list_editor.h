// The five operations of a list toolbar (Add, Delete, Delete all, Up, Down) on a list of files,
// shared by the picture list (with its parallel caption list) and the music list. What differs
// between them (the preview, the music player) is asked of the list's owner.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "config/editor_controls.h"
#include "config/editor_services.h"
#include "settings/theme_model.h"

namespace orvelle {

struct ListEditorParts {
    int list = 0;
    int parallel = 0;  // a hidden list kept index for index with it (the captions), 0 for none
    int total = 0;     // shows "Total: " + the count
    int position = 0;  // shows "Position: " + the chosen entry's number, "" when none
    std::optional<ThemeKey> countKey;  // the setting that holds the count, if one does
    OpenFileRequest request;
    const char* removeAllQuestion = "";
    const char* nothingToMoveUp = "";
    const char* nothingToMoveDown = "";
};

class ListEditor {
  public:
    // What the list's page does around the operations.
    class Owner {
      public:
        // The entry chosen as a click chooses it (-1: none).
        virtual void Choose(int index) = 0;
        // Before Add and a move.
        virtual void BeforeEdit() {}
        // Entries were removed.
        virtual void Removed() {}
        // The last entry went.
        virtual void Emptied() {}
        // A file was added and chosen.
        virtual void Added(const std::string& path) = 0;

      protected:
        ~Owner() = default;
    };

    ListEditor(EditorControls& controls, EditorServices& services, ThemeSettings& settings,
               Owner& owner, ListEditorParts parts)
        : controls_(controls),
          services_(services),
          settings_(settings),
          owner_(owner),
          parts_(std::move(parts)) {}

    void Add();
    void Delete();
    void DeleteAll();
    void MoveUp();
    void MoveDown();
    // Entries appended with an empty parallel entry each (the folder import's pictures).
    void Append(const std::string& path);
    void ShowTotal();

  private:
    void Move(int step, const char* nothing, const char* cannotMove);

    EditorControls& controls_;
    EditorServices& services_;
    ThemeSettings& settings_;
    Owner& owner_;
    ListEditorParts parts_;
};

}  // namespace orvelle
