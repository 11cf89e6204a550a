Tolvan Archive
ver 1
zCArchiverGeneric
ASCII
saveGame 0
END
objects 1
END

[% zCMaterial 17408 0]
	name=string:GLASS
	matGroup=enum:0
	color=color:150 150 150 255
	smoothAngle=float:60
	texture=string:
	texScale=string:1 1
	texAniFPS=float:0
	texAniMapMode=enum:0
	texAniMapDir=string:0 0
	noCollDet=bool:0
	noLightmap=bool:0
	lodDontCollapse=bool:0
	detailObject=string:
	detailObjectScale=float:0
	forceOccluder=bool:0
	environmentalMapping=bool:0
	environmentalMappingStrength=float:1
	waveMode=enum:9
	waveSpeed=enum:2
	waveMaxAmplitude=float:30
	waveGridSize=float:100
	ignoreSunLight=bool:1
	alphaFunc=enum:4
	defaultMapping=rawFloat:2 3 
[]
