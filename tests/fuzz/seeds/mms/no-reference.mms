morphMesh ("Face")
{
	morphAni ("R_EARLY" 1 0 0 0 . "FACE_ANI.ASC" 0 1)
	morphRef ("NOBODY.ASC")
}
