// Where the game keeps its files: the build's game folder, or an installed game's player folder.
#include "frame/home.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "frame/frame.h"

namespace fs = std::filesystem;

// Where the data lies, seen from the installed program's folder (the build passes the layout
// it installs; /usr/games and /usr/share/games/skidrunner by default).
#ifndef SKID_DATA_FROM_PROGRAM
#define SKID_DATA_FROM_PROGRAM "../share/games/skidrunner"
#endif

namespace {
// The installed data beside an installed program; empty when the program is not installed
// (the build's game folder has no such neighbour).
fs::path installed_data_folder()
{
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    fs::path data = program.parent_path() / SKID_DATA_FROM_PROGRAM;
    if (!fs::is_directory(data, error)) return {};
    return fs::weakly_canonical(data, error);
}

[[noreturn]] void cannot_settle(const fs::path &folder, const std::error_code &error)
{
    static char message[600];
    snprintf(message, sizeof message, "Couldn't make or enter the player's folder %s: %s",
             folder.c_str(), error.message().c_str());
    fatal_error(message);
}

// A link in folder to each shipped file, unless the player has a file of their own by that
// name there (their recording, their allegro.cfg). A link left by an install elsewhere is
// pointed at this one.
void link_shipped_files(const fs::path &data, const fs::path &folder)
{
    std::error_code error;
    for (const fs::directory_entry &shipped : fs::directory_iterator(data, error)) {
        fs::path mine = folder / shipped.path().filename();
        fs::file_status status = fs::symlink_status(mine, error);
        if (fs::exists(status) && !fs::is_symlink(status)) continue;
        if (fs::is_symlink(status)) {
            if (fs::read_symlink(mine, error) == shipped.path()) continue;
            fs::remove(mine, error);
        }
        fs::create_symlink(shipped.path(), mine, error);
        if (error) cannot_settle(mine, error);
    }
}
}  // namespace

std::string player_folder_for(const char *xdg_data_home, const char *home)
{
    // The XDG rule: a relative XDG_DATA_HOME is not to be used.
    if (xdg_data_home && xdg_data_home[0] == '/')
        return (fs::path(xdg_data_home) / "skidrunner").string();
    if (home && home[0] == '/') return (fs::path(home) / ".local/share/skidrunner").string();
    return "";
}

void settle_in_player_folder()
{
    fs::path data = installed_data_folder();
    if (data.empty()) return;
    fs::path folder = player_folder_for(getenv("XDG_DATA_HOME"), getenv("HOME"));
    if (folder.empty()) {
        fatal_error("Couldn't find the player's folder: neither XDG_DATA_HOME nor HOME is set");
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) cannot_settle(folder, error);
    link_shipped_files(data, folder);
    fs::current_path(folder, error);
    if (error) cannot_settle(folder, error);
    // The library reads allegro.cfg beside the program or where ALLEGRO points; a player who
    // points ALLEGRO elsewhere keeps their choice.
    setenv("ALLEGRO", folder.c_str(), 0);
}

void make_room_for_recording()
{
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status("demo.dem", error))) fs::remove("demo.dem", error);
}
