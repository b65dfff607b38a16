[Version]
Disc=Q7-Broken
Revision=0.9
