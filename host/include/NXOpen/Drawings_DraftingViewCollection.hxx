#pragma once
#include "Drawings_BaseViewBuilder.hxx"
