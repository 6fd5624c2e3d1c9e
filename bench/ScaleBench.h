#pragma once

// How the work grows with the size of what the service sends: the program table's parse time
// for 300 to 3000 programs, the ticker file's read time and the ticker's heap for 1000 to 10000
// items. Prints CSV lines "what,size,microseconds,heap_kib".
void RunScaleBench();
