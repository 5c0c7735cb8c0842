// The "&Run" menu: its items, the commands they (and the Ctrl shortcuts) give, and what each does.
#pragma once

#include "core/commands.h"
#include "core/run_mode.h"
#include "core/script.h"
#include "seam/host.h"

namespace tavro {

constexpr int RUN_MENU_ITEM_COUNT = 16;
extern const MenuItem run_menu_items[RUN_MENU_ITEM_COUNT];

class RunMenu {
public:
    RunMenu(RunMode& run, Script& script) : run_(run), script_(script) {}

    void build() const;
    // Carries out the command with this identifier; any other identifier does nothing.
    void run_command(int id);

    // Held Ctrl turns letter keys into the menu's shortcuts; pressed and released in either window.
    void key_down(int virtual_key);
    void key_up(int virtual_key);
    bool ctrl_held() const { return ctrl_down_; }

private:
    RunMode& run_;
    Script& script_;
    bool ctrl_down_ = false;
};

// The command of a Ctrl+letter shortcut (virtual key 65..90), or 0.
int shortcut_command(int virtual_key);

}  // namespace tavro
