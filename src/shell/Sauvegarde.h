#pragma once

// Backing up and restoring the collection file (tool buttons 5 and 6).
namespace General {

void SauvegarderBase();
void RestaurerBase();

}  // namespace General
