#pragma once

// Data rows of every compiled-in theme sheet: a QString column "sheet" holding its resource
// path. Fails the data function when the seventeen are not all there.
namespace ThemeSheets {
void addRows();
} // namespace ThemeSheets
