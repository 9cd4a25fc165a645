#pragma once

class Game;

// The window's four small pictures, drawn in code: the pencil icons, the maker's logo for the
// credits, and the thread and rainbow patterns that card bands take with OR (black leaves a band
// as it is).
void PaintArtwork(Game& game);
