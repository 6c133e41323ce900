#pragma once
#include "Drawings_DrawingSheet.hxx"
