morphMesh ("Face")
{
	morphRef ("FACE.ASC")
	morphAni ("R_RAISE" 1 0.1 2 0.2 . "FACE_ANI.ASC" 0 2 SPD:25)
	morphAni ("S_UP" 0 0 -1 0 L "face_ani.asc" 2 2)
	morphAni ("T_SHAPE" 3 0.5 2 0.5 SR "FACE.ASC" 0 0)
//	morphAni ("T_GONE" 0 0 0 0 . "FACE_ANI.ASC" 0 0)
	morphAni ("T_STILL" 0 0 0 0 . "FACE_ANI.ASC" 0 0) // left out
}
