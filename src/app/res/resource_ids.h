// Ids of the resources embedded by marrowpad.rc, shared with the code that loads them.
// Plain defines: the resource compiler reads this file too.
#pragma once

// The program's icon group; 1, the first group, is the one Explorer shows for the file.
#define IDI_MARROWPAD 1
