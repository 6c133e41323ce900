#pragma once
#include "BlockStyler_UIBlock.hxx"
