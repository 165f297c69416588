// Giving the files of a description to disks, and writing SETUP.INF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mkmedium/description.h"

// Gives each file its disk, from 1: in order, a new disk starting wherever
// the description starts one and whenever the next file's stored size would
// overflow disk_size. Returns the index of a file larger than a disk, or -1.
int split_into_disks(const std::vector<uint64_t>& stored_sizes, const std::vector<bool>& starts_disk,
                     uint64_t disk_size, std::vector<int>& disk_of);

// SETUP.INF for the description, the files' disks and labels, and the
// minimum space; the same input gives the same bytes.
std::string script_text(const Description& d, const std::string& description_name, const std::vector<int>& disk_of,
                        const std::vector<std::string>& labels, int minimum_space);
