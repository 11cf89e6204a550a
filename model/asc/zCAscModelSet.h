// The model-to-ASC set: a model loaded from its script written out as one ASC per
// mesh library and one per animation source file.
#pragma once

class zCModelPrototype;

// Into the job's destination folder: the ASC of the mesh-and-tree file and of every
// registered mesh (named as the script names them), each dressed with its own mesh
// library alone, then one ASC per animation source file with the node tracks and no
// meshes. False when a file could not be written or left out (reported); the other
// files are written all the same.
bool WriteModelAscSet(zCModelPrototype& proto);
