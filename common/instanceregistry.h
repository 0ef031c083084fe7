#pragma once

#include <functional>

// Destroys the program's single instances once, in a fixed order: when the process
// exits, or when the application object is destroyed, whichever comes first, so that
// widgets never outlive the application. An exit() while the application still lives (its
// display connection broke) destroys nothing: the process says so on stderr and ends
// at once, with the status exit() was given.
// Pages, windows and managers go first, newest first; then the kit's instances by rank,
// highest rank first.
class InstanceRegistry
{
public:
    // Ranks of the kit's instances; destroyed from the last to the first.
    enum KitRank
    {
        RankIconFont = 0,
        RankIconHelper,
        RankDateSelect,
        RankInputBox,
        RankMessageBox,
        RankTrayIcon,
        RankAppInit,
    };

    static void addPage(std::function<void()> destroy);
    static void addKit(int rank, std::function<void()> destroy);
    // Runs every registered destruction now; later calls do nothing until new ones arrive.
    static void destroyAll();

private:
    static void hookExit();
};
